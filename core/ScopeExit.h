// Putting state back when a scope ends, however it ends: ScopeExit runs its action on every exit,
// ScopeFailure only when the scope is left by an exception (to undo what a successful run keeps).
//
// The error that leaves the scope is the one the user must see: when the scope is left by an
// exception, an exception of the action itself is dropped. On a normal exit the action's
// exception propagates to the caller like any other.
#pragma once

#include <exception>
#include <utility>

namespace bus {

template <class Action>
class ScopeExit {
public:
  explicit ScopeExit(Action action) noexcept(noexcept(Action(std::move(action))))
      : action_(std::move(action)), uncaught_(std::uncaught_exceptions()) {}
  ~ScopeExit() noexcept(false) {
    if (!armed_) return;
    if (std::uncaught_exceptions() > uncaught_) {
      try {
        action_();
      } catch (...) {
        // the exception that is unwinding is the one to report
      }
    } else {
      action_();
    }
  }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

  // The action will not run.
  void Dismiss() noexcept { armed_ = false; }

private:
  Action action_;      // what puts the state back
  int uncaught_;       // exceptions in flight when the scope began
  bool armed_ = true;  // false once dismissed
};

template <class Action>
class ScopeFailure {
public:
  explicit ScopeFailure(Action action) noexcept(noexcept(Action(std::move(action))))
      : action_(std::move(action)), uncaught_(std::uncaught_exceptions()) {}
  ~ScopeFailure() {
    if (std::uncaught_exceptions() <= uncaught_) return;
    try {
      action_();
    } catch (...) {
      // the exception that is unwinding is the one to report
    }
  }
  ScopeFailure(const ScopeFailure&) = delete;
  ScopeFailure& operator=(const ScopeFailure&) = delete;

private:
  Action action_;  // what undoes the scope's work
  int uncaught_;   // exceptions in flight when the scope began
};

}  // namespace bus
