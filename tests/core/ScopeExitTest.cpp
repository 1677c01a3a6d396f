// Scope guards: what runs when a scope is left normally or by an exception, and which error the
// caller sees when putting things back fails too.
#include "core/ScopeExit.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/UpdateBatch.h"

namespace bus {
namespace {

TEST(ScopeExit, RunsOnEveryExitUnlessDismissedAndFailureOnlyOnAnException) {
  std::string log;
  {
    ScopeExit always([&] { log += "exit "; });
    ScopeFailure onError([&] { log += "failure "; });
  }
  EXPECT_EQ(log, "exit ");
  log.clear();
  EXPECT_THROW(
      {
        ScopeExit always([&] { log += "exit "; });
        ScopeFailure onError([&] { log += "failure "; });
        throw std::runtime_error("x");
      },
      std::runtime_error);
  EXPECT_EQ(log, "failure exit ");  // reverse order of declaration
  log.clear();
  {
    ScopeExit dismissed([&] { log += "exit "; });
    dismissed.Dismiss();
  }
  EXPECT_EQ(log, "");
}

TEST(ScopeExit, TheErrorLeavingTheScopeWinsOverTheRestoresOwn) {
  // normal exit: the restore's error reaches the caller
  try {
    ScopeExit failing([] { throw std::runtime_error("restore"); });
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "restore");
  }
  // leaving by an error: that error, not the restore's (which would otherwise end the program)
  try {
    ScopeExit failing([] { throw std::runtime_error("restore"); });
    ScopeFailure failingToo([] { throw std::runtime_error("undo"); });
    throw std::logic_error("work");
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "work");
  }
  // a scope inside a handler of another error still reports its own restore failure
  try {
    try {
      throw std::logic_error("outer");
    } catch (const std::logic_error&) {
      ScopeExit failing([] { throw std::runtime_error("restore"); });
    }
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "restore");
  }
}

// Records its batches; EndUpdate may be told to fail.
struct Lockable {
  void BeginUpdate() { log += "begin "; }
  void EndUpdate() {
    log += "end ";
    if (failEnd) throw std::runtime_error("end");
  }
  std::string log;
  bool failEnd = false;
};

struct Switchable {
  void DisableControls() { log += "off "; }
  void EnableControls() { log += "on "; }
  std::string log;
};

TEST(UpdateBatch, BeginsAndEndsTheBatchOfEitherKindHoweverTheScopeEnds) {
  Lockable grid;
  {
    UpdateBatch batch(grid);
    grid.log += "work ";
  }
  EXPECT_EQ(grid.log, "begin work end ");
  Switchable dataset;
  EXPECT_THROW(
      {
        UpdateBatch batch(dataset);
        throw std::runtime_error("x");
      },
      std::runtime_error);
  EXPECT_EQ(dataset.log, "off on ");

  grid.log.clear();
  grid.failEnd = true;
  EXPECT_THROW({ UpdateBatch batch(grid); }, std::runtime_error);  // the end's own failure
  try {
    UpdateBatch batch(grid);
    throw std::logic_error("work");
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "work");
  }
  EXPECT_EQ(grid.log, "begin end begin end ");
}

}  // namespace
}  // namespace bus
