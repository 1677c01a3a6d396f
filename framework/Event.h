// Events: a handler that can be assigned, cleared, copied and tested for being assigned. One
// handler may serve several components; it tells them apart by Sender.
//
// A form publishes its handler methods by name (TComponent::PublishMethod) so that a form
// description can bind "OnClick = Button1Click" to them.
#pragma once

#include <functional>
#include <utility>

namespace bus {

class TObject;

template <class... Args>
class TEvent {
public:
  using Function = std::function<void(Args...)>;

  TEvent() = default;
  TEvent(Function f) : f_(std::move(f)) {}  // NOLINT: implicit from a lambda is the point
  // Binds a member function of object.
  template <class C, class M>
  TEvent(C* object, M method)
      : f_([object, method](Args... args) { (object->*method)(std::forward<Args>(args)...); }) {}

  explicit operator bool() const noexcept { return bool(f_); }
  bool Assigned() const noexcept { return bool(f_); }
  // The handler is a function object of type F (to tell one's own handler from another's).
  template <class F>
  bool Holds() const noexcept {
    return f_.template target<F>() != nullptr;
  }
  void Clear() noexcept { f_ = nullptr; }
  // Calls the handler when one is assigned.
  void operator()(Args... args) const {
    if (f_) f_(std::forward<Args>(args)...);
  }

private:
  Function f_;  // the handler; empty when unassigned
};

// (Sender)
using TNotifyEvent = TEvent<TObject*>;

}  // namespace bus
