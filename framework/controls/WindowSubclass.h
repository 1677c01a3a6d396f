// TWindowSubclass: a window procedure of our own put in front of any window's, ours or foreign
// (a message box, a menu window, a common control that subclasses its own buddy). Every message
// first reaches a handler, which answers it or lets it pass on to the procedure that was there
// before. This is the one way the program replaces a window procedure.
//
// The chain stays whole whatever the order of removal:
// - Removal puts the previous procedure back only while ours is still the window's procedure.
//   When other code has subclassed on top of us since (comctl32's SetWindowSubclass, another
//   TWindowSubclass), that code holds our procedure as its previous one; cutting it out would
//   drop its subclass, so ours stays in the chain as a plain pass-through. A pass-through takes
//   itself out as soon as it finds itself the window's procedure again, and at the latest when the
//   window is destroyed.
// - Calls in flight are counted: the state a call needs lives until the last call has returned,
//   so a handler may remove its own subclass, or free the object that holds it, while it runs.
// - WM_NCDESTROY reaches the handler, then (if it did not pass it on) the previous procedure, and
//   ends the subclass: nothing touches the window afterwards.
// - The procedure is a TWindowProcStub: once the subclass is gone, a stale call through a saved
//   pointer never reaches the handler again.
//
// A window is subclassed with the wide or the ANSI calls as IsWindowUnicode says when the subclass
// is installed, so its messages keep their character set and no text passes through a code-page
// conversion. Use from the window's thread.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/controls/Messages.h"

namespace bus {

class TObject;

class TWindowSubclass {
public:
  // Sees each message first. Returns true when it has answered the message (its Result set);
  // false lets the message pass on to the previous procedure after it. A handler that wants the
  // previous procedure's work in the middle of its own calls Default and returns true. An
  // exception it throws goes to the application's error report; a message it had not passed on
  // yet still is.
  using Handler = std::function<bool(TMessage&)>;

  // Subclasses the window now; sender is reported with the handler's errors. Throws EWin32Error
  // when window is not a window that can be subclassed.
  TWindowSubclass(HWND window, Handler handler, TObject* sender = nullptr);
  ~TWindowSubclass();
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;

  // Takes the subclass off (see above); the handler is not called again. Harmless when off.
  void Remove() noexcept;

  // Passes a message to the previous procedure and stores its answer in m.Result.
  void Default(TMessage& m) const;
  LRESULT CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const;

  // The subclassed window; null once removed or destroyed.
  HWND Window() const noexcept;
  bool Installed() const noexcept { return Window() != nullptr; }
  // Our procedure as installed on the window, and the one it replaced.
  WNDPROC Proc() const noexcept;
  WNDPROC PreviousProc() const noexcept;
  // Installed with the wide calls.
  bool Unicode() const noexcept;

  struct Record;  // what a call needs; outlives the object while calls run or a pass-through stays

private:
  Record* record_ = nullptr;  // shared with the calls in flight; freed by the last of them
};

}  // namespace bus
