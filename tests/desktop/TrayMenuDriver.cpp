#include "tests/desktop/TrayMenuDriver.h"

#include "tray/TrayIcon.h"

namespace bus::test {

namespace {

int gDowns = 0;       // Down presses before Enter; negative: Escape
int gMenusSeen = 0;   // menu windows answered
int gMenuTicks = 0;   // ticks since the menu was asked for

void CALLBACK MenuDriver(HWND, UINT, UINT_PTR, DWORD) {
  ++gMenuTicks;
  HWND menu = FindWindowW(L"#32768", nullptr);
  if (menu && IsWindowVisible(menu)) {
    ++gMenusSeen;
    if (gDowns < 0) {
      PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    } else {
      for (int i = 0; i < gDowns; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    }
  }
  if (gMenuTicks > 50) EndMenu();  // a test never hangs in the menu loop
}

}  // namespace

int SendTrayIconMessage(TTrayIcon& tray, UINT mouseMessage, int downs) {
  gDowns = downs;
  gMenusSeen = 0;
  gMenuTicks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, MenuDriver);
  SendMessageW(tray.Handle(), TTrayIcon::kCallbackMessage, TTrayIcon::kIconId, mouseMessage);
  KillTimer(nullptr, timer);
  return gMenusSeen;
}

}  // namespace bus::test
