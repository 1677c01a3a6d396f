// Window procedures bound to an object: a window procedure stub per handler that calls it with the
// message record, so code that makes windows of its own can give them a method as their procedure.
// The handler is not told the window: the object knows it. (Subclassing a window that exists goes
// through TWindowSubclass.)
//
// The stub runs behind the exception barrier: an exception leaving the handler goes to the
// application's error report and the message answers the Result set so far.
//
// Whoever installs a stub on a window puts back the procedure it replaced before the stub is freed.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/controls/Messages.h"
#include "framework/controls/WindowProcStub.h"

namespace bus {

class TObjectInstance {
public:
  explicit TObjectInstance(TWndMethod handler);
  ~TObjectInstance();
  TObjectInstance(const TObjectInstance&) = delete;
  TObjectInstance& operator=(const TObjectInstance&) = delete;

  // The window procedure that calls the handler.
  WNDPROC Proc() const noexcept { return stub_.Proc(); }

private:
  static LRESULT Dispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, void* self);

  TWndMethod handler_;     // what the stub calls
  TWindowProcStub stub_;   // the window procedure
};

// The same as plain calls: a stub for handler, and its release.
WNDPROC MakeObjectInstance(TWndMethod handler);
void FreeObjectInstance(WNDPROC proc) noexcept;

}  // namespace bus
