// Driving the main window from inside the test process as a person would: typing and pressing keys
// into whatever has the focus, clicking, answering the message boxes the window raises, choosing
// from the tray icon's menu; and the shell's notify-icon calls, recorded.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

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
// Handles what is pending, a few rounds.
void Settle();

// A message box as it was shown.
struct SeenBox {
  std::string caption;
  std::string text;
  bool ok = false;      // has an OK button
  bool cancel = false;  // has a Cancel button
  int buttons = 0;      // buttons in all
};

// While it lives, answers every message box of this thread's windows (the message boxes' own loop
// runs its timer): box i with answers[i], later boxes with the last answer (IDOK without answers).
// Answerers nest: the newest answers until it goes.
class BoxAnswerer {
public:
  explicit BoxAnswerer(std::vector<int> answers = {});
  ~BoxAnswerer();
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;
  const std::vector<SeenBox>& Seen() const noexcept { return seen_; }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  std::vector<int> answers_;     // by box
  std::vector<SeenBox> seen_;    // in the order they came
  std::vector<HWND> answered_;   // boxes told to close
  BoxAnswerer* outer_;           // the answerer before this one
  UINT_PTR timer_ = 0;           // thread timer
};

// The tray icon's right button pressed, and from the menu that opens the item reached with downs
// presses of Down (1 "显示", 2 "隐藏", 3 "退出"), or Escape when downs is negative. Returns how
// many menus opened.
int ChooseFromTrayMenu(TTrayIcon& tray, int downs);

// Shell notify-icon calls since the last clear: the operation, the tip, and the colour of the
// icon's centre pixel (CLR_INVALID without an icon).
struct ShellCall {
  DWORD message;
  std::string tip;
  COLORREF iconCentre;
};
std::vector<ShellCall>& ShellCalls();
// Puts the recorder in front of the shell's notify-icon call.
void RecordShellCalls();

}  // namespace test
}  // namespace bus
