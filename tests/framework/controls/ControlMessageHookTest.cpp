// Hooks in front of a control's replaceable message handler, mixed with code that replaces the
// handler by hand: who sees a message first, what removal leaves in the chain in either order, a
// hook removed or freed by its own handler, a failing handler.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/Application.h"
#include "framework/controls/Control.h"
#include "framework/controls/ControlMessageHook.h"
#include "tests/support/WindowTestSupport.h"

namespace bus {
namespace {

constexpr UINT kProbe = WM_APP + 9;
std::vector<std::string> gSeen;  // who saw kProbe, in order

class TProbeControl : public TControl {
public:
  TProbeControl() : TControl(nullptr) {}
  void WndProc(TMessage& m) override {
    if (m.Msg == kProbe) {
      gSeen.push_back("control");
      m.Result = 42;
      return;
    }
    TControl::WndProc(m);
  }
};

TControlMessageHook::Handler Logger(const std::string& name) {
  return [name](TMessage& m) {
    if (m.Msg == kProbe) gSeen.push_back(name);
    return false;
  };
}

class ControlMessageHook : public ::testing::Test {
protected:
  void SetUp() override {
    test::EnsureApplication();
    gSeen.clear();
  }
  void TearDown() override { Application->OnException.Clear(); }
  std::vector<std::string> Probe() {
    gSeen.clear();
    EXPECT_EQ(control_.Perform(kProbe), 42);
    return gSeen;
  }

  using Seen = std::vector<std::string>;
  TProbeControl control_;
};

TEST_F(ControlMessageHook, NewestSeesFirstAndHooksComeOffInEitherOrder) {
  {
    TControlMessageHook a(control_, Logger("a"));
    TControlMessageHook b(control_, Logger("b"));
    EXPECT_EQ(Probe(), (Seen{"b", "a", "control"}));
    b.Remove();
    EXPECT_EQ(Probe(), (Seen{"a", "control"}));
  }
  EXPECT_EQ(Probe(), (Seen{"control"}));
  {
    auto a = std::make_unique<TControlMessageHook>(control_, Logger("a"));
    TControlMessageHook b(control_, Logger("b"));
    a.reset();  // under b: a pass-through until b goes
    EXPECT_EQ(Probe(), (Seen{"b", "control"}));
  }
  EXPECT_EQ(Probe(), (Seen{"control"}));
}

TEST_F(ControlMessageHook, AHandlerReplacedByHandOnTopIsNeverCutOut) {
  auto hook = std::make_unique<TControlMessageHook>(control_, Logger("hook"));
  const TWndMethod saved = control_.WindowProc();
  control_.SetWindowProc([&](TMessage& m) {
    if (m.Msg == kProbe) gSeen.push_back("by hand");
    saved(m);
  });
  EXPECT_EQ(Probe(), (Seen{"by hand", "hook", "control"}));
  hook.reset();
  EXPECT_EQ(Probe(), (Seen{"by hand", "control"}));
  // the other code puts back what it saved; the pass-through leaves at the next message
  control_.SetWindowProc(saved);
  EXPECT_EQ(Probe(), (Seen{"control"}));
  EXPECT_EQ(Probe(), (Seen{"control"}));
}

TEST_F(ControlMessageHook, AHandlerMayRemoveOrFreeItsOwnHookWhileItRuns) {
  std::unique_ptr<TControlMessageHook> hook;
  hook = std::make_unique<TControlMessageHook>(control_, [&](TMessage& m) {
    if (m.Msg != kProbe) return false;
    gSeen.push_back("hook");
    hook->Remove();
    hook->Default(m);
    gSeen.push_back("after");
    hook.reset();
    return true;
  });
  EXPECT_EQ(Probe(), (Seen{"hook", "control", "after"}));
  EXPECT_EQ(Probe(), (Seen{"control"}));
}

TEST_F(ControlMessageHook, AFailingHandlerIsReportedAndTheControlStillAnswers) {
  std::vector<std::string> reports;
  Application->OnException =
      decltype(Application->OnException)([&](TObject*, const std::string& text) { reports.push_back(text); });
  TControlMessageHook hook(control_, [](TMessage& m) -> bool {
    if (m.Msg == kProbe) throw Exception("hook failed");
    return false;
  });
  EXPECT_EQ(Probe(), (Seen{"control"}));
  EXPECT_EQ(reports, (std::vector<std::string>{"hook failed"}));
}

}  // namespace
}  // namespace bus
