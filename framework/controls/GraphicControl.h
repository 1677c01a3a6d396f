// Window-less controls (labels, speed buttons): painted and fed by their parent. The parent passes
// WM_PAINT (wParam: its DC, origin moved to the control, clipped to it) and mouse messages (in the
// control's coordinates) through the control's WindowProc. Window-less controls never take the
// focus and never receive WM_NCDESTROY.
#pragma once

#include <memory>

#include "framework/controls/Control.h"
#include "framework/controls/ControlCanvas.h"

namespace bus {

class TGraphicControl : public TControl {
  BUS_CLASS(TGraphicControl)
public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;

  // Draws on the parent's window right away (see TControlCanvas); during WM_PAINT it is bound to
  // the DC the parent gave.
  TControlCanvas& Canvas() noexcept { return *canvas_; }
  void Update() override;
  void WndProc(TMessage& message) override;

protected:
  // Paints the control on Canvas, in client coordinates (0, 0, Width, Height).
  virtual void Paint() {}

private:
  std::unique_ptr<TControlCanvas> canvas_;  // drawing surface
};

}  // namespace bus
