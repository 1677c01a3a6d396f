// A replacement window procedure put in front of a window's own: every message first goes to a
// handler that may look at it, then to the procedure that was there before, whose result is
// returned. The procedure is a small per-hook thunk, so several hooks (of this code or any other)
// may sit on one window in any order.
//
// Taking the hook off puts the saved procedure back only while ours is still the window's
// procedure. When other code has subclassed on top of it since, that code holds our procedure as
// its saved one: cutting it out would drop its subclass, so the hook stays in the chain as a plain
// pass-through until the window is destroyed. A destroyed window (WM_NCDESTROY) drops the hook
// by itself; nothing touches the window afterwards.
//
// Use from the window's thread only.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/controls/Messages.h"

namespace bus {

class TObject;

class TWindowHook {
public:
  // Sees each message before the window's procedure; cannot stop or answer it. An exception it
  // throws goes to the application's error report and the message still reaches the window.
  using Handler = std::function<void(const TMessage&)>;

  // Hooks window now; sender is reported with a handler's errors. Throws EWin32Error when window
  // is not a window or executable memory cannot be had.
  TWindowHook(HWND window, Handler handler, TObject* sender = nullptr);
  ~TWindowHook();
  TWindowHook(const TWindowHook&) = delete;
  TWindowHook& operator=(const TWindowHook&) = delete;

  // Takes the hook off (see above); harmless when already off.
  void Unhook() noexcept;
  // The hooked window, or null once unhooked or destroyed.
  HWND Window() const noexcept;
  // The procedure calls go on to.
  WNDPROC SavedProc() const noexcept;
  // The replacement procedure installed on the window.
  WNDPROC HookProc() const noexcept;

  struct Record;  // the state the thunk hands to the shared procedure; outlives a pass-through hook

private:
  Record* record_ = nullptr;  // owned unless left behind as a pass-through
};

}  // namespace bus
