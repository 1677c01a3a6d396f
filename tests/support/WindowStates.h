// What skinning may change on windows and controls, recorded so that a test can compare before and
// after: each window's procedure and styles, each control's handler chain (the kind of its head),
// colour, parent colour and double buffering.
#pragma once

#include <windows.h>

#include <typeindex>
#include <vector>

#include "framework/graphics/Color.h"

namespace bus {
class TControl;
class TCustomForm;
}  // namespace bus

namespace bus::test {

struct WindowState {
  HWND window;
  LONG_PTR proc, style, exStyle;
  bool operator==(const WindowState&) const = default;
};

struct ControlState {
  TControl* control;
  std::type_index handler;  // the kind of the head of its WindowProc chain
  TColor color;
  bool parentColor, doubleBuffered;
  bool operator==(const ControlState&) const = default;
};

// The window top and every window inside it.
std::vector<WindowState> WindowStates(HWND top);
// Every control the form owns, then the form.
std::vector<ControlState> ControlStates(TCustomForm& form);

}  // namespace bus::test
