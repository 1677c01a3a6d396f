// Gives a variable a value for a scope and puts the old value back when the scope ends, however it
// ends: flags such as "code is changing the control, its notifications are not the user's".
#pragma once

#include <utility>

namespace bus {

template <class T>
class ScopedValue {
public:
  ScopedValue(T& variable, T value) : variable_(variable), old_(std::exchange(variable, std::move(value))) {}
  ~ScopedValue() { variable_ = std::move(old_); }
  ScopedValue(const ScopedValue&) = delete;
  ScopedValue& operator=(const ScopedValue&) = delete;

private:
  T& variable_;  // the variable set
  T old_;        // its value before
};

}  // namespace bus
