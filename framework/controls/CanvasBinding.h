// Binds a control's canvas for the scope to a device context the control was handed to draw on (a
// WM_PAINT's, an owner-drawn item's): a DC the canvas acquired on its own is released first, and
// the canvas lets go of the DC when the scope ends, also when the drawing code fails, so the
// canvas never holds a DC that its owner has already ended.
#pragma once

#include <windows.h>

#include "framework/controls/ControlCanvas.h"

namespace bus {

class CanvasBinding {
public:
  CanvasBinding(TControlCanvas& canvas, HDC dc) : canvas_(canvas) {
    canvas.FreeHandle();
    canvas.SetHandle(dc);
  }
  ~CanvasBinding() { canvas_.SetHandle(nullptr); }
  CanvasBinding(const CanvasBinding&) = delete;
  CanvasBinding& operator=(const CanvasBinding&) = delete;

private:
  TControlCanvas& canvas_;  // bound while the binding lives
};

}  // namespace bus
