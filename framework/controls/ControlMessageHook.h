// TControlMessageHook: a handler put in front of a control's replaceable message handler
// (WindowProc), the way TWindowSubclass sits in front of a window procedure, and with the same
// rules, so that hooks of the skin engine, of tests and of other code come off in any order:
// - removal puts the previous handler back only while ours is still the control's WindowProc;
//   otherwise ours stays in the chain as a pass-through, which takes itself out as soon as it finds
//   itself current again;
// - a handler may remove its own hook, or free the object that holds it, while it runs.
//
// The hook must not outlive its control: whoever hooks a control takes the hook off before the
// control goes (a wrapper owned by the control does, as it is freed with it).
#pragma once

#include <functional>
#include <memory>

#include "framework/controls/Messages.h"

namespace bus {

class TControl;

class TControlMessageHook {
public:
  // Sees each message first; true when it has answered it, false to let it go on to the previous
  // handler. A handler that wants the previous handler's work in the middle calls Default and
  // returns true. An exception it throws goes to the application's error report; a message it had
  // not passed on yet still is.
  using Handler = std::function<bool(TMessage&)>;

  TControlMessageHook(TControl& control, Handler handler);
  ~TControlMessageHook();
  TControlMessageHook(const TControlMessageHook&) = delete;
  TControlMessageHook& operator=(const TControlMessageHook&) = delete;

  // Takes the hook off (see above); the handler is not called again. Harmless when off.
  void Remove() noexcept;
  // Passes a message to the previous handler (which sets its Result).
  void Default(TMessage& m) const;
  // The hook is on and not removed.
  bool Installed() const noexcept;

  struct Link;  // shared by the hook and what it installed in the control; lives while either does

private:
  std::shared_ptr<Link> link_;  // the hook's state
};

}  // namespace bus
