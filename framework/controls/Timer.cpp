#include "framework/controls/Timer.h"

#include "framework/Properties.h"
#include "framework/controls/UtilWindow.h"

namespace bus {

namespace {
constexpr UINT_PTR kTimerId = 1;
}  // namespace

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

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  window_ = std::make_unique<TUtilWindow>(
      [this](TMessage& m) {
        if (m.Msg != WM_TIMER) return false;
        if (enabled_) Timer();
        return true;
      },
      this);
}

TTimer::~TTimer() {
  if (running_) KillTimer(window_->Handle(), kTimerId);
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
  if (running_) KillTimer(window_->Handle(), kTimerId);
  running_ = false;
  if (enabled_ && interval_ > 0 && onTimer_)
    running_ = SetTimer(window_->Handle(), kTimerId, interval_, nullptr) != 0;
}

}  // namespace bus
