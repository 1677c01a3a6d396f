// Timers of one thread, which share one hidden window: each ticks at its own interval, a timer that
// is stopped or freed never ticks again whatever is queued, and a timer freed in its own tick (the
// thread's last one, whose window goes with it) leaves the next timer working.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/Timer.h"
#include "tests/support/WindowTestSupport.h"

namespace bus {
namespace {

// A timer that counts its ticks.
struct CountingTimer {
  explicit CountingTimer(unsigned interval) : timer(std::make_unique<TTimer>(nullptr)) {
    timer->SetInterval(interval);
    timer->SetOnTimer(TNotifyEvent([this](TObject*) { ++ticks; }));
  }
  std::unique_ptr<TTimer> timer;
  int ticks = 0;
};

TEST(TimerTest, TimersOfAThreadTickOnTheirOwnAndAStoppedOrFreedOneNeverAgain) {
  const DWORD started = GetTickCount();
  CountingTimer fast(10), slow(200), stopped(10), freed(10);
  ASSERT_TRUE(test::PumpUntil([&] { return fast.ticks >= 3 && stopped.ticks >= 1 && freed.ticks >= 1; }));
  // the slow one keeps its own interval on the shared window (a late tick is never made up for)
  EXPECT_LE(DWORD(slow.ticks), (GetTickCount() - started) / 200 + 1);

  // their next ticks are due before they are stopped or freed
  Sleep(30);
  stopped.timer->SetEnabled(false);
  freed.timer.reset();
  const int stoppedTicks = stopped.ticks, freedTicks = freed.ticks, fastTicks = fast.ticks;
  // a fixed time: what is checked is that nothing more arrives while the others go on ticking
  test::PumpFor(100);
  EXPECT_EQ(stopped.ticks, stoppedTicks);
  EXPECT_EQ(freed.ticks, freedTicks);
  EXPECT_GT(fast.ticks, fastTicks);
  ASSERT_TRUE(test::PumpUntil([&] { return slow.ticks >= 1; }));

  // started again, the stopped one ticks as before
  stopped.timer->SetEnabled(true);
  EXPECT_TRUE(test::PumpUntil([&] { return stopped.ticks > stoppedTicks; }));
}

TEST(TimerTest, ATimerFreedInItsOwnTickAsTheLastOneLeavesTheNextWorking) {
  auto timer = std::make_unique<TTimer>(nullptr);
  bool ticked = false;
  timer->SetInterval(10);
  timer->SetOnTimer(TNotifyEvent([&](TObject*) {
    ticked = true;
    timer.reset();  // the thread's window goes with it, inside its own message
  }));
  ASSERT_TRUE(test::PumpUntil([&] { return ticked; }));
  EXPECT_EQ(timer, nullptr);

  CountingTimer next(10);
  EXPECT_TRUE(test::PumpUntil([&] { return next.ticks >= 2; }));
}

}  // namespace
}  // namespace bus
