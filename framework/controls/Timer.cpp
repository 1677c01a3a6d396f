#include "framework/controls/Timer.h"

#include <unordered_map>

#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/UtilWindow.h"

namespace bus {

// The hidden window of a thread's timers: WM_TIMER carries the id of the timer that is due. It
// lives while a timer of its thread does.
class TTimerWindow {
public:
  TTimerWindow() : window_([this](TMessage& m) { return Message(m); }) {}
  TTimerWindow(const TTimerWindow&) = delete;
  TTimerWindow& operator=(const TTimerWindow&) = delete;

  // The calling thread's window, made when none of its timers is alive.
  static std::shared_ptr<TTimerWindow> ForThread() {
    thread_local std::weak_ptr<TTimerWindow> current;
    std::shared_ptr<TTimerWindow> window = current.lock();
    if (!window) {
      window = std::make_shared<TTimerWindow>();
      current = window;
    }
    return window;
  }

  HWND Handle() const noexcept { return window_.Handle(); }
  // A new id for timer, never 0 and never given before on this window.
  UINT_PTR Add(TTimer* timer) {
    const UINT_PTR id = ++lastId_;
    timers_.emplace(id, timer);
    return id;
  }
  void Remove(UINT_PTR id) noexcept { timers_.erase(id); }

private:
  // A tick of a timer that is still there; its exception is reported with the timer as sender.
  bool Message(TMessage& m) {
    if (m.Msg != WM_TIMER) return false;
    const auto it = timers_.find(UINT_PTR(m.WParam));
    if (it == timers_.end()) return true;  // killed after the tick was queued
    TTimer* timer = it->second;
    try {
      if (timer->enabled_) timer->Timer();
    } catch (...) {
      HandleCurrentException(timer);
    }
    return true;
  }

  TUtilWindow window_;                           // receives WM_TIMER
  std::unordered_map<UINT_PTR, TTimer*> timers_; // by id
  UINT_PTR lastId_ = 0;                          // the last id given
};

const TClassInfo& TTimer::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassInfo i = TClassBuilder<TTimer>("TTimer", TComponent::StaticClassInfo())
                       .Creatable()
                       .Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true)
                       .Int("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000)
                       .Build();
    TPropInfo p;
    p.name = "OnTimer";
    p.kind = TPropKind::Event;
    p.setEvent = [](TObject& o, const std::any& v) { static_cast<TTimer&>(o).SetOnTimer(std::any_cast<TNotifyEvent>(v)); };
    p.eventAssigned = [](const TObject& o) { return static_cast<const TTimer&>(o).OnTimer().Assigned(); };
    i.properties.push_back(std::move(p));
    return i;
  }();
  return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner), window_(TTimerWindow::ForThread()) {
  id_ = window_->Add(this);
}

TTimer::~TTimer() {
  if (running_) KillTimer(window_->Handle(), id_);
  window_->Remove(id_);
}

void TTimer::SetEnabled(bool v) {
  enabled_ = v;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned ms) {
  interval_ = ms;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  onTimer_ = std::move(handler);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (running_) KillTimer(window_->Handle(), id_);
  running_ = false;
  if (enabled_ && interval_ > 0 && onTimer_) running_ = SetTimer(window_->Handle(), id_, interval_, nullptr) != 0;
}

}  // namespace bus
