// A timer component: OnTimer every Interval milliseconds while Enabled, through whatever message
// loop runs (nested ones included: message boxes, menus). Changing Interval, Enabled or OnTimer
// restarts it, also while a form description is being read (a timer stored enabled counts from
// then). A tick's exception goes to the application's error report.
//
// The timers of a thread share one hidden window, each with an id of its own on it: making a window
// is a trip to the window server, and a program starts several timers before its first paint.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/Component.h"

namespace bus {

class TTimerWindow;

class TTimer : public TComponent {
  BUS_CLASS(TTimer)
public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const noexcept { return enabled_; }
  void SetEnabled(bool v);
  unsigned Interval() const noexcept { return interval_; }
  void SetInterval(unsigned ms);
  TNotifyEvent OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent handler);

protected:
  virtual void Timer() { onTimer_(this); }

private:
  friend class TTimerWindow;
  void UpdateTimer();

  bool enabled_ = true;                  // ticks when an interval and a handler exist
  unsigned interval_ = 1000;             // milliseconds
  TNotifyEvent onTimer_;                 // published as OnTimer
  std::shared_ptr<TTimerWindow> window_; // the thread's timer window, which receives WM_TIMER
  std::uintptr_t id_ = 0;                // this timer's id on it
  bool running_ = false;                 // the platform timer is set
};

}  // namespace bus
