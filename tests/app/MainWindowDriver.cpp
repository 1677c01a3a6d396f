#include "tests/app/MainWindowDriver.h"

#include "core/WideText.h"
#include "framework/controls/Application.h"
#include "framework/controls/Control.h"
#include "tests/support/DesktopTestSupport.h"
#include "tests/support/TrayMenuDriver.h"
#include "tray/TrayIcon.h"

namespace bus::test {

void Settle() { PumpPending(); }

void Type(const std::string& text) {
  HWND focus = GetFocus();
  for (wchar_t c : Widen(text)) PostMessageW(focus, WM_CHAR, WPARAM(c), 1);
  Settle();
}

void Press(UINT virtualKey) {
  HWND focus = GetFocus();
  const LPARAM scan = LPARAM(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(focus, WM_KEYDOWN, virtualKey, scan | 1);
  PostMessageW(focus, WM_KEYUP, virtualKey, scan | 1 | (LPARAM(3) << 30));
  Settle();
}

void Click(TControl& control, POINT point) {
  const POINT screen = control.ClientToScreen(point);
  MoveCursor(screen, kDesktopWait);
  HWND target = WindowFromPoint(screen);
  POINT client = screen;
  ScreenToClient(target, &client);
  const LPARAM at = MAKELPARAM(client.x, client.y);
  PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(target, WM_LBUTTONUP, 0, at);
  Settle();
}

// --- the tray menu -----------------------------------------------------------------------------

int ChooseFromTrayMenu(TTrayIcon& tray, int downs) {
  const int menus = SendTrayIconMessage(tray, WM_RBUTTONDOWN, downs);
  Settle();
  return menus;
}

}  // namespace bus::test
