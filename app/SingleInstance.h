// One running BusSearch per user. The first start of the program claims a named object in the
// session's namespace whose name carries the user's security identifier, and publishes there the
// window that answers a "show yourself" request. A later start for the same user finds the claim
// taken, asks that window to show itself (the running program then does what its tray menu's
// "显示" does, even when it is hidden in the tray) and ends, so there is never a second window or a
// second tray icon. Another user's start claims a name of its own and runs beside it.
//
// The claim lasts as long as the object that made it, and ends with the process however it ends.
#pragma once

#include <windows.h>

#include <string>

namespace bus::app {

class TSingleInstance {
public:
  // Claims the program for the user this process runs as.
  TSingleInstance();
  // Claims name (tests: another "user").
  explicit TSingleInstance(const std::wstring& name);
  ~TSingleInstance();
  TSingleInstance(const TSingleInstance&) = delete;
  TSingleInstance& operator=(const TSingleInstance&) = delete;

  // This process holds the claim: no other instance of the program ran for the user when it was made.
  bool First() const noexcept { return first_; }
  // First instance: window from now on answers the show request (ShowRequestMessage). Null withdraws it.
  void Publish(HWND window);
  // Later instance: waits at most ms for the first instance to publish its window, lets it come to
  // the foreground and posts it the show request. False when no window was published in time or
  // it could not be told.
  bool ActivateFirst(DWORD ms);

  // The name claimed for the user this process runs as ("Local\Zelvo.BusSearch.<SID>").
  static std::wstring UserInstanceName();
  // The message the published window gets when a later start asks it to show itself (wParam and
  // lParam 0).
  static UINT ShowRequestMessage();

private:
  struct Shared;  // what the instances share through the named object

  HANDLE mapping_ = nullptr;  // the named object
  Shared* shared_ = nullptr;  // its view
  bool first_ = false;        // this process made the object
};

}  // namespace bus::app
