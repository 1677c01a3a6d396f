// Mouse messages to a tray icon as the shell sends them, with the icon's menu answered by a
// MenuAnswerer while it is open.
#pragma once

#include <windows.h>

namespace bus {

class TTrayIcon;

namespace test {

// Sends the icon's callback for mouseMessage; a menu that opens meanwhile gets downs presses of
// Down, then Enter, or Escape when downs is negative (a menu still open after about 5 s is ended).
// Returns how many menus opened.
int SendTrayIconMessage(TTrayIcon& tray, UINT mouseMessage, int downs = -1);

}  // namespace test
}  // namespace bus
