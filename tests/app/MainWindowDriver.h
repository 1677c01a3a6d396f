// Driving the main window from inside the test process as a person would: typing and pressing keys
// into whatever has the focus, clicking, choosing from the tray icon's menu. (The message boxes it
// raises are answered by a BoxAnswerer, the shell's notify-icon calls recorded by
// RecordShellCalls.)
#pragma once

#include <windows.h>

#include <string>

namespace bus {

class TControl;
class TTrayIcon;

namespace test {

// Characters typed into the focused window (posted WM_CHAR, one per UTF-16 unit), handled.
void Type(const std::string& text);
// A key pressed and released in the focused window (posted, translated like real keys), handled.
void Press(UINT virtualKey);
// A left click at a point of control's client area (posted to the window under it), handled.
void Click(TControl& control, POINT point);
// Handles what is pending until nothing is (PumpPending).
void Settle();

// The tray icon's right button pressed, and from the menu that opens the item reached with downs
// presses of Down (1 "显示", 2 "隐藏", 3 "退出"), or Escape when downs is negative. Returns how
// many menus opened.
int ChooseFromTrayMenu(TTrayIcon& tray, int downs);

}  // namespace test
}  // namespace bus
