// The tray icon's calls of the shell's notify-icon function, recorded on their way to the shell.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace bus::test {

// One notify-icon call.
struct ShellCall {
  DWORD message;         // NIM_ADD, NIM_MODIFY, NIM_DELETE
  NOTIFYICONDATAW data;  // the record as the shell got it
  COLORREF iconCentre;   // centre pixel of the 16 × 16 icon at the time (CLR_INVALID: no icon)
  BOOL answer;           // what the real shell said
};

// The calls recorded since the last clear.
std::vector<ShellCall>& ShellCalls();
// Puts the recorder in front of the shell's notify-icon call (which it still makes).
void RecordShellCalls();

}  // namespace bus::test
