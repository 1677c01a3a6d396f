// Counts the calls running on an object, so that the object may be asked to go while one of its
// methods runs deeper in the stack (a message handler that enters a modal loop, in which a timer
// releases the object): FreeWhenIdle frees it at once when no call runs, otherwise when the
// outermost call returns. Nothing of the object may be touched after a Call scope has ended.
#pragma once

#include <functional>
#include <utility>

namespace bus {

class TCallCounter {
public:
  // One running call, for its scope.
  class Call {
  public:
    explicit Call(TCallCounter& counter) noexcept : counter_(counter) { ++counter_.depth_; }
    ~Call() {
      if (--counter_.depth_ > 0 || !counter_.free_) return;
      const std::function<void()> free = std::move(counter_.free_);  // the counter goes with the object
      free();
    }
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;

  private:
    TCallCounter& counter_;  // of the object called
  };

  // A call is running.
  bool Busy() const noexcept { return depth_ > 0; }
  // Runs free now when no call runs, else when the outermost one returns.
  void FreeWhenIdle(std::function<void()> free) {
    if (depth_ == 0) free();
    else free_ = std::move(free);
  }

private:
  int depth_ = 0;               // calls running
  std::function<void()> free_;  // pending until the last call returns
};

}  // namespace bus
