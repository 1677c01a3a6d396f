// The canvas of a control: bound to a device context while the control paints, or, when drawing
// is wanted at another time, acquired on demand: the control's own window DC, or for a window-less
// control its parent's DC with the origin moved to the control and clipped to it. A DC acquired on
// demand is released after the message being handled (or at idle).
#pragma once

#include <optional>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandles.h"

namespace bus {

class TControl;

class TControlCanvas : public TCanvas {
public:
  explicit TControlCanvas(TControl* control);
  ~TControlCanvas() override;

  TControl* Control() const noexcept { return control_; }
  // Unbinds and releases a DC the canvas acquired itself.
  void FreeHandle();
  // Releases the DCs of every canvas that acquired one.
  static void FreeDeviceContexts();

protected:
  void CreateHandle() override;

private:
  TControl* control_;               // the control drawn on
  std::optional<WindowDC> ownDC_;  // DC acquired on demand, released with FreeHandle
};

}  // namespace bus
