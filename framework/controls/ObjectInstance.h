// Window procedures bound to an object: a small executable stub per handler that calls it with the
// message record, so outside code can subclass a window (SetWindowLongPtr GWLP_WNDPROC) with a
// method of its own and call the procedure it replaced for the normal processing. The stub does not
// pass the window handle: the object knows the window it hooked.
//
// The stub runs behind the exception barrier: an exception leaving the handler goes to the
// application's error report and the message answers the Result set so far.
//
// Whoever installs a stub on a window puts back the procedure it replaced before the stub is freed.
#pragma once

#include <windows.h>

#include "framework/controls/Messages.h"

namespace bus {

class TObjectInstance {
public:
  explicit TObjectInstance(TWndMethod handler);
  ~TObjectInstance();
  TObjectInstance(const TObjectInstance&) = delete;
  TObjectInstance& operator=(const TObjectInstance&) = delete;

  // The window procedure that calls the handler.
  WNDPROC Proc() const noexcept { return proc_; }

private:
  static LRESULT CALLBACK Dispatch(TObjectInstance* self, UINT msg, WPARAM wParam, LPARAM lParam);

  TWndMethod handler_;      // what the stub calls
  WNDPROC proc_ = nullptr;  // the stub, in executable memory of the pool
};

// The same as plain calls: a stub for handler, and its release.
WNDPROC MakeObjectInstance(TWndMethod handler);
void FreeObjectInstance(WNDPROC proc) noexcept;

}  // namespace bus
