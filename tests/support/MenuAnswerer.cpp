#include "tests/support/MenuAnswerer.h"

namespace bus::test {

MenuAnswerer::MenuAnswerer(int downs) : downs_(downs), timer_(100, [this] { AnswerOpenMenu(); }) {}

void MenuAnswerer::AnswerOpenMenu() {
  ++ticks_;
  HWND menu = FindWindowW(L"#32768", nullptr);
  if (menu && IsWindowVisible(menu)) {
    ++menusSeen_;
    if (downs_ < 0) {
      PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    } else {
      for (int i = 0; i < downs_; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    }
  }
  if (ticks_ > 50) EndMenu();  // a test never hangs in the menu loop
}

}  // namespace bus::test
