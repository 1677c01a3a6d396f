// A window procedure made at run time: a few bytes of executable code that call
// target(window, msg, wParam, lParam, context), so an object can be a window's procedure (a
// subclass, an object-bound handler). The window handle reaches the target unchanged.
//
// Stubs live in executable pages that are never given back. A stub that is freed is retired at
// once: from then on a call through it (a stale pointer someone kept) only answers DefWindowProcW
// and never reaches the old target. Freed slots are reused oldest first, so a retired stub stays
// retired as long as the pool allows; a target that may be reached through a reused slot checks
// the window it is called for (TWindowSubclass does).
//
// Use from the user-interface thread.
#pragma once

#include <windows.h>

namespace bus {

class TWindowProcStub {
public:
  using Target = LRESULT (*)(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, void* context);

  // Throws EWin32Error when no executable memory can be had.
  TWindowProcStub(Target target, void* context);
  // Retires the stub (see above).
  ~TWindowProcStub();
  TWindowProcStub(const TWindowProcStub&) = delete;
  TWindowProcStub& operator=(const TWindowProcStub&) = delete;

  // The window procedure.
  WNDPROC Proc() const noexcept { return proc_; }

private:
  WNDPROC proc_ = nullptr;  // the stub's code, a slot of the pool
};

}  // namespace bus
