// Helpers of the window tests of every layer: one application object for the test process, message
// pumping until a condition holds (never a blind sleep), cursor moves, screen pixels, a timer that
// also runs inside modal loops, and the messages a control handled.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/controls/ControlMessageHook.h"
#include "framework/controls/Messages.h"

namespace bus {

class TApplication;
class TControl;

namespace test {

// The process's application object, made and initialised on first use with the widget layer's
// classes registered; it lives until the process ends.
TApplication& EnsureApplication();

// The deadline of a wait whose caller names none, in milliseconds.
constexpr DWORD kPumpWait = 3000;

// Handles messages until done() holds or ms milliseconds pass; false on the deadline. Messages go
// through the application object's loop, or through a plain one while the process has none.
bool PumpUntil(const std::function<bool()>& done, DWORD ms = kPumpWait);
// Handles messages until none is waiting any more: what was posted or sent before, the paints of
// invalidated windows, timers that are due. A condition, not a time; false when messages keep
// coming for ms milliseconds.
bool PumpPending(DWORD ms = kPumpWait);
// Handles messages for ms milliseconds. Only for checks that something does NOT happen within a
// time the thing would take; each use says why the time is fixed.
void PumpFor(DWORD ms);
// Moves the cursor and waits, at most ms milliseconds, until the platform reports it there, late
// motion events drained.
void MoveCursor(POINT p, DWORD ms = kPumpWait);
// Windows of this thread, child windows included (to see that a form took every window it made
// with it: the platform's count of user objects is always 0 under Wine).
int ThreadWindowCount();
// The colour on the screen at a point of control's client area.
COLORREF PixelAt(const TControl& control, POINT client);

// Holds a key down as the thread's key state tells (Ctrl for Ctrl+Delete: GetKeyState) while it
// lives; the state as it was comes back when it goes.
class HeldKey {
public:
  explicit HeldKey(BYTE virtualKey);
  ~HeldKey();
  HeldKey(const HeldKey&) = delete;
  HeldKey& operator=(const HeldKey&) = delete;

private:
  BYTE key_;    // the key held
  BYTE saved_;  // its state before
};

// Calls tick every ms milliseconds while it lives. A thread timer: the modal loops of message boxes
// and menus run it as well as the pumps above.
class ThreadTimer {
public:
  ThreadTimer(UINT ms, std::function<void()> tick);
  ~ThreadTimer();
  ThreadTimer(const ThreadTimer&) = delete;
  ThreadTimer& operator=(const ThreadTimer&) = delete;

private:
  std::function<void()> tick_;  // what each tick does
  UINT_PTR id_ = 0;             // the timer
};

// Records the messages of interest that pass a control's WindowProc, calling the previous handler
// after each; takes its hook off when it goes (in any order with other hooks). onSeen, when given,
// hears each recorded message as it arrives (to write several controls' messages and events into
// one journal).
class TMessageRecorder {
public:
  TMessageRecorder(TControl& control, std::vector<UINT> messages,
                   std::function<void(const TMessage&)> onSeen = nullptr);
  ~TMessageRecorder();
  TMessageRecorder(const TMessageRecorder&) = delete;
  TMessageRecorder& operator=(const TMessageRecorder&) = delete;

  // The messages seen, in the order they arrived, with the Result the handler left.
  const std::vector<TMessage>& Seen() const noexcept { return seen_; }
  // The numbers of the messages seen, in order (to compare with an expected table).
  std::vector<UINT> Messages() const;
  int Count(UINT msg) const;
  void Clear() { seen_.clear(); }

private:
  std::vector<UINT> wanted_;   // message numbers to record
  std::function<void(const TMessage&)> onSeen_;  // told of each recorded message; may be empty
  std::vector<TMessage> seen_; // recorded, in order
  TControlMessageHook hook_;   // in front of the control's WindowProc
};

}  // namespace test
}  // namespace bus
