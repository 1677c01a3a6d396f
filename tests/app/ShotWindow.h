// The main window of the picture-taking programs: built from the program's description over the
// database beside the program, adopted by the skin, active.
#pragma once

#include <windows.h>

namespace bus {
class TApplication;
class TfrmBusMain;
}  // namespace bus

namespace bus::test {

// The window is adopted and its frame fitted.
bool Skinned(HWND window);
// Initialises the application, creates the main window (the banner asks an address where nothing
// listens: its box stays empty, without waiting for the network) and returns once it is shown,
// skinned and active.
TfrmBusMain* OpenSkinnedMainWindow(TApplication& app);

}  // namespace bus::test
