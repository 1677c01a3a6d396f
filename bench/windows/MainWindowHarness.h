// What the harnesses that time the main window share: the window built from the program's
// description in the harness's process, its message queue worked off, and the skin manager giving
// the window back or adopting it again, for skinned and unskinned figures side by side in one run.
#pragma once

#include <windows.h>

#include <vector>

namespace bus {
class TApplication;
class TfrmBusMain;
}  // namespace bus

namespace bus::bench {

// Initialises the application and creates the main window from the program's description, with
// the configuration and database beside the harness; the banner asks an address where nothing
// listens, so nothing is written. Returns once the queue is empty (the window adopted by the skin).
TfrmBusMain* OpenMainWindow(TApplication& app);
// Handles messages until none is waiting.
void Settle(TApplication& app);
// The window as without the skin: its form object unhooked and freed.
void GiveBack(HWND window);
// The window adopted and its controls skinned, as its activation does.
void Adopt(HWND window);
double Median(std::vector<double> v);

}  // namespace bus::bench
