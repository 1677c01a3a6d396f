#include "tests/support/WindowStates.h"

#include "framework/controls/Form.h"

namespace bus::test {

std::vector<WindowState> WindowStates(HWND top) {
  std::vector<HWND> windows{top};
  EnumChildWindows(
      top,
      [](HWND h, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(h);
        return TRUE;
      },
      LPARAM(&windows));
  std::vector<WindowState> states;
  for (HWND h : windows)
    states.push_back(
        {h, GetWindowLongPtrW(h, GWLP_WNDPROC), GetWindowLongPtrW(h, GWL_STYLE), GetWindowLongPtrW(h, GWL_EXSTYLE)});
  return states;
}

std::vector<ControlState> ControlStates(TCustomForm& form) {
  std::vector<ControlState> states;
  const auto add = [&](TControl& c) {
    auto* w = dynamic_cast<TWinControl*>(&c);
    states.push_back({&c, std::type_index(c.WindowProc().target_type()), c.Color(), c.ParentColor(),
                      w && w->DoubleBuffered()});
  };
  for (int i = 0; i < form.ComponentCount(); ++i)
    if (auto* c = dynamic_cast<TControl*>(form.Components(i))) add(*c);
  add(form);
  return states;
}

}  // namespace bus::test
