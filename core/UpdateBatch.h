// An update batch for the scope: BeginUpdate now and EndUpdate when the scope ends (a grid, a
// string list), or DisableControls and EnableControls (a dataset, whose linked controls catch up
// with one "dataset changed" at the end). The batch ends however the scope is left, by the rules
// of ScopeExit: an error while the batch ends propagates only when no other error is leaving.
#pragma once

#include "core/ScopeExit.h"

namespace bus {

template <class T>
concept UpdateLockable = requires(T& t) {
  t.BeginUpdate();
  t.EndUpdate();
};

template <class T>
concept ControlsSwitchable = requires(T& t) {
  t.DisableControls();
  t.EnableControls();
};

namespace detail {
template <class T>
struct EndBatch {
  T* target;  // the object whose batch ends
  void operator()() const {
    if constexpr (UpdateLockable<T>) target->EndUpdate();
    else target->EnableControls();
  }
};
}  // namespace detail

template <class T>
  requires UpdateLockable<T> || ControlsSwitchable<T>
class UpdateBatch {
public:
  explicit UpdateBatch(T& target) : end_(Begin(target)) {}

private:
  static detail::EndBatch<T> Begin(T& target) {
    if constexpr (UpdateLockable<T>) target.BeginUpdate();
    else target.DisableControls();
    return detail::EndBatch<T>{&target};
  }

  ScopeExit<detail::EndBatch<T>> end_;  // ends the batch
};

}  // namespace bus
