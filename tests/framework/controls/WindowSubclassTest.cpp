// Window subclasses mixed with other code's subclasses on one window, under Wine: who sees a
// message first and who answers it, what removal leaves in the chain in either order (comctl32's
// SetWindowSubclass on top included), a window destroyed under a subclass, a subclass removed or
// freed by its own handler, a failing handler, stale procedure pointers, and ANSI windows.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/Application.h"
#include "framework/controls/WindowSubclass.h"
#include "tests/support/WindowTestSupport.h"

namespace bus {
namespace {

constexpr UINT kProbe = WM_APP + 7;
std::vector<std::string> gSeen;  // who saw kProbe (and WM_NCDESTROY), in order

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == kProbe) {
    gSeen.push_back("window");
    return 42;
  }
  if (m == WM_NCDESTROY) gSeen.push_back("window destroyed");
  return DefWindowProcW(h, m, w, l);
}

// Other code's subclass, done by hand.
WNDPROC gForeignSaved = nullptr;
LRESULT CALLBACK ForeignProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == kProbe) gSeen.push_back("foreign");
  return CallWindowProcW(gForeignSaved, h, m, w, l);
}

// comctl32's subclass.
LRESULT CALLBACK ComctlProc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
  if (m == kProbe) gSeen.push_back("comctl32");
  if (m == WM_NCDESTROY) gSeen.push_back("comctl32 destroyed");
  return DefSubclassProc(h, m, w, l);
}

class WindowSubclass : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    test::EnsureApplication();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SubclassTestWindow";
    RegisterClassExW(&wc);
  }
  void SetUp() override {
    gSeen.clear();
    window_ = MakeWindow();
    ASSERT_TRUE(window_);
    original_ = Current();
  }
  void TearDown() override {
    if (IsWindow(window_)) DestroyWindow(window_);
    Application->OnException.Clear();
  }
  static HWND MakeWindow() {
    return CreateWindowExW(0, L"SubclassTestWindow", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }
  // A handler that logs kProbe under name and lets every message pass on.
  static TWindowSubclass::Handler Logger(const std::string& name) {
    return [name](TMessage& m) {
      if (m.Msg == kProbe) gSeen.push_back(name);
      if (m.Msg == WM_NCDESTROY) gSeen.push_back(name + " destroyed");
      return false;
    };
  }
  // Who saw one probe, checking that the window's answer came back.
  std::vector<std::string> Probe(LRESULT expected = 42) {
    gSeen.clear();
    EXPECT_EQ(SendMessageW(window_, kProbe, 0, 0), expected);
    return gSeen;
  }
  WNDPROC Current() const { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC)); }

  using Seen = std::vector<std::string>;
  HWND window_ = nullptr;
  WNDPROC original_ = nullptr;
};

TEST_F(WindowSubclass, NewestSeesFirstAndLastInFirstOutRestoresEachPreviousProcedure) {
  TWindowSubclass a(window_, Logger("a"));
  {
    TWindowSubclass b(window_, Logger("b"));
    EXPECT_EQ(Probe(), (Seen{"b", "a", "window"}));
    EXPECT_EQ(b.PreviousProc(), a.Proc());
    EXPECT_EQ(b.Window(), window_);
  }
  EXPECT_EQ(Current(), a.Proc());
  EXPECT_EQ(Probe(), (Seen{"a", "window"}));
  a.Remove();
  EXPECT_EQ(Current(), original_);
  EXPECT_EQ(a.Window(), nullptr);
  EXPECT_EQ(Probe(), (Seen{"window"}));
}

TEST_F(WindowSubclass, AHandlerAnswersOrWorksAroundThePreviousProcedure) {
  TWindowSubclass sub(window_, [&](TMessage& m) {
    if (m.Msg != kProbe) return false;
    if (m.WParam == 1) {  // answered here: the window never sees it
      m.Result = 7;
      return true;
    }
    sub.Default(m);  // the window's work first, then ours on its answer
    m.Result += 100;
    return true;
  });
  gSeen.clear();
  EXPECT_EQ(SendMessageW(window_, kProbe, 1, 0), 7);
  EXPECT_TRUE(gSeen.empty());
  EXPECT_EQ(SendMessageW(window_, kProbe, 0, 0), 142);
  EXPECT_EQ(gSeen, (Seen{"window"}));
}

TEST_F(WindowSubclass, AForeignSubclassOnTopIsNeverCutOutAndThePassThroughLeavesWhenItCan) {
  auto sub = std::make_unique<TWindowSubclass>(window_, Logger("sub"));
  const WNDPROC ours = sub->Proc();
  gForeignSaved = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window_, GWLP_WNDPROC, LONG_PTR(&ForeignProc)));
  EXPECT_EQ(Probe(), (Seen{"foreign", "sub", "window"}));
  // ours goes first: restoring would drop the foreign subclass, so ours stays as a silent link
  sub.reset();
  EXPECT_EQ(Current(), &ForeignProc);
  EXPECT_EQ(Probe(), (Seen{"foreign", "window"}));
  // the foreign code puts back what it saved (our pass-through), which takes itself out at once
  SetWindowLongPtrW(window_, GWLP_WNDPROC, LONG_PTR(gForeignSaved));
  EXPECT_EQ(Current(), ours);
  EXPECT_EQ(Probe(), (Seen{"window"}));
  EXPECT_EQ(Current(), original_);
}

TEST_F(WindowSubclass, Comctl32SubclassOnTopComesOffInEitherOrder) {
  // last in, first out
  {
    TWindowSubclass sub(window_, Logger("sub"));
    ASSERT_TRUE(SetWindowSubclass(window_, &ComctlProc, 1, 0));
    EXPECT_EQ(Probe(), (Seen{"comctl32", "sub", "window"}));
    ASSERT_TRUE(RemoveWindowSubclass(window_, &ComctlProc, 1));
    EXPECT_EQ(Probe(), (Seen{"sub", "window"}));
  }
  EXPECT_EQ(Current(), original_);
  EXPECT_EQ(Probe(), (Seen{"window"}));

  // ours first: comctl32's stays working, and ours leaves the chain when comctl32's goes
  {
    TWindowSubclass sub(window_, Logger("sub"));
    ASSERT_TRUE(SetWindowSubclass(window_, &ComctlProc, 1, 0));
    sub.Remove();
    EXPECT_EQ(Probe(), (Seen{"comctl32", "window"}));
  }
  EXPECT_EQ(Probe(), (Seen{"comctl32", "window"}));
  ASSERT_TRUE(RemoveWindowSubclass(window_, &ComctlProc, 1));
  EXPECT_EQ(Probe(), (Seen{"window"}));
  EXPECT_EQ(Current(), original_);

  // comctl32's below ours, ours removed first
  ASSERT_TRUE(SetWindowSubclass(window_, &ComctlProc, 1, 0));
  {
    TWindowSubclass sub(window_, Logger("sub"));
    EXPECT_EQ(Probe(), (Seen{"sub", "comctl32", "window"}));
  }
  EXPECT_EQ(Probe(), (Seen{"comctl32", "window"}));
  ASSERT_TRUE(RemoveWindowSubclass(window_, &ComctlProc, 1));
  EXPECT_EQ(Current(), original_);
}

TEST_F(WindowSubclass, AWindowDestroyedUnderItsSubclassesEndsThemAndEveryLinkSeesWmNcDestroy) {
  TWindowSubclass answering(window_, [](TMessage& m) {
    if (m.Msg != WM_NCDESTROY) return false;
    gSeen.push_back("answering destroyed");
    return true;  // answered without passing on: the chain below still gets it
  });
  ASSERT_TRUE(SetWindowSubclass(window_, &ComctlProc, 1, 0));
  TWindowSubclass top(window_, Logger("top"));
  gSeen.clear();
  DestroyWindow(window_);
  EXPECT_EQ(gSeen, (Seen{"top destroyed", "comctl32 destroyed", "answering destroyed", "window destroyed"}));
  EXPECT_EQ(top.Window(), nullptr);
  EXPECT_EQ(answering.Window(), nullptr);
  top.Remove();  // nothing to do, nothing touched
}

TEST_F(WindowSubclass, AFailingHandlerIsReportedAndTheWindowStillAnswers) {
  std::vector<std::string> reports;
  Application->OnException =
      decltype(Application->OnException)([&](TObject*, const std::string& text) { reports.push_back(text); });
  TWindowSubclass sub(window_, [](TMessage& m) -> bool {
    if (m.Msg == kProbe) throw Exception("handler failed");
    return false;
  });
  EXPECT_EQ(Probe(), (Seen{"window"}));
  EXPECT_EQ(reports, (std::vector<std::string>{"handler failed"}));
}

TEST_F(WindowSubclass, AHandlerMayRemoveOrFreeItsOwnSubclassWhileItRuns) {
  TWindowSubclass below(window_, Logger("below"));
  std::unique_ptr<TWindowSubclass> sub;
  sub = std::make_unique<TWindowSubclass>(window_, [&](TMessage& m) {
    if (m.Msg != kProbe) return false;
    gSeen.push_back("sub");
    sub->Remove();
    // the message being handled still goes its way, through what is now the window's procedure
    EXPECT_EQ(SendMessageW(window_, kProbe + 1, 0, 0), 0);
    sub->Default(m);
    gSeen.push_back("after");
    return true;
  });
  EXPECT_EQ(Probe(), (Seen{"sub", "below", "window", "after"}));
  EXPECT_EQ(Current(), below.Proc());
  EXPECT_EQ(Probe(), (Seen{"below", "window"}));

  std::unique_ptr<TWindowSubclass> freed;
  freed = std::make_unique<TWindowSubclass>(window_, [&](TMessage& m) {
    if (m.Msg != kProbe) return false;
    gSeen.push_back("freed");
    freed.reset();
    return false;  // passed on by what stays of the subclass
  });
  EXPECT_EQ(Probe(), (Seen{"freed", "below", "window"}));
  EXPECT_EQ(Current(), below.Proc());
}

TEST_F(WindowSubclass, AStaleProcedurePointerNeverReachesAHandlerAgain) {
  WNDPROC stale = nullptr;
  {
    TWindowSubclass sub(window_, Logger("gone"));
    stale = sub.Proc();
  }
  gSeen.clear();
  CallWindowProcW(stale, window_, kProbe, 0, 0);
  EXPECT_TRUE(gSeen.empty());
  // the freed procedure's memory serving a new subclass of another window: a stale call for our
  // window does not reach it either
  const HWND other = MakeWindow();
  std::unique_ptr<TWindowSubclass> reused;
  for (int i = 0; i < 20000 && !reused; ++i) {
    auto sub = std::make_unique<TWindowSubclass>(other, Logger("other"));
    if (sub->Proc() == stale) reused = std::move(sub);
  }
  ASSERT_TRUE(reused);
  gSeen.clear();
  CallWindowProcW(stale, window_, kProbe, 0, 0);
  EXPECT_TRUE(gSeen.empty());
  EXPECT_EQ(SendMessageW(other, kProbe, 0, 0), 42);
  EXPECT_EQ(gSeen, (Seen{"other", "window"}));
  reused.reset();
  DestroyWindow(other);
}

TEST_F(WindowSubclass, AnAnsiWindowStaysAnsiAndItsHandlerSeesAnsiText) {
  const HWND ansi = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_FALSE(IsWindowUnicode(ansi));
  std::string text;
  {
    TWindowSubclass sub(ansi, [&](TMessage& m) {
      if (m.Msg == WM_SETTEXT) text = reinterpret_cast<const char*>(m.LParam);
      return false;
    });
    EXPECT_FALSE(sub.Unicode());
    EXPECT_FALSE(IsWindowUnicode(ansi));
    SetWindowTextW(ansi, L"abc");
    char back[8] = {};
    GetWindowTextA(ansi, back, 8);
    EXPECT_STREQ(back, "abc");
  }
  EXPECT_EQ(text, "abc");
  EXPECT_FALSE(IsWindowUnicode(ansi));
  DestroyWindow(ansi);
}

}  // namespace
}  // namespace bus
