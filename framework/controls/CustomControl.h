// Custom-drawn windowed controls (panels, group boxes, the grid, overlays): a window of our own
// class with a Canvas bound during WM_PAINT and a virtual Paint; window-less children are painted
// after Paint.
#pragma once

#include <memory>

#include "framework/controls/ControlCanvas.h"
#include "framework/controls/WinControl.h"

namespace bus {

class TCustomControl : public TWinControl {
  BUS_CLASS(TCustomControl)
public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;

  TControlCanvas& Canvas() noexcept { return *canvas_; }

protected:
  // Paints the control on Canvas.
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;

private:
  std::unique_ptr<TControlCanvas> canvas_;  // drawing surface
};

}  // namespace bus
