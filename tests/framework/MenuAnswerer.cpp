#include "tests/framework/MenuAnswerer.h"

namespace bus::test {

namespace {

MenuAnswerer* gAnswerer = nullptr;  // the one answering now

}  // namespace

MenuAnswerer::MenuAnswerer(int downs) : downs_(downs), outer_(gAnswerer) {
  gAnswerer = this;
  timer_ = SetTimer(nullptr, 0, 100, Tick);
}

MenuAnswerer::~MenuAnswerer() {
  KillTimer(nullptr, timer_);
  gAnswerer = outer_;
}

void CALLBACK MenuAnswerer::Tick(HWND, UINT, UINT_PTR, DWORD) {
  MenuAnswerer* self = gAnswerer;
  if (!self) return;
  ++self->ticks_;
  HWND menu = FindWindowW(L"#32768", nullptr);
  if (menu && IsWindowVisible(menu)) {
    ++self->menusSeen_;
    if (self->downs_ < 0) {
      PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    } else {
      for (int i = 0; i < self->downs_; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    }
  }
  if (self->ticks_ > 50) EndMenu();  // a test never hangs in the menu loop
}

}  // namespace bus::test
