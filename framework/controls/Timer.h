// A timer component: OnTimer every Interval milliseconds while Enabled, through whatever message
// loop runs (nested ones included: message boxes, menus). Changing Interval, Enabled or OnTimer
// restarts it, also while a form description is being read (a timer stored enabled counts from
// then). A tick's exception goes to the application's error report.
#pragma once

#include <memory>

#include "framework/Component.h"

namespace bus {

class TUtilWindow;

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
  void UpdateTimer();

  bool enabled_ = true;                 // ticks when an interval and a handler exist
  unsigned interval_ = 1000;            // milliseconds
  TNotifyEvent onTimer_;                // published as OnTimer
  std::unique_ptr<TUtilWindow> window_; // receives WM_TIMER
  bool running_ = false;                // the platform timer is set
};

}  // namespace bus
