// Replacement window procedures mixed with other code's subclasses on one window: who sees a
// message first, what taking a hook off leaves in the chain, a destroyed window, a failing handler.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/Application.h"
#include "tests/support/DesktopTestSupport.h"
#include "tray/WindowHook.h"

namespace bus {
namespace {

constexpr UINT kProbe = WM_APP + 7;
std::vector<std::string> gSeen;  // who saw kProbe, in order

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == kProbe) {
    gSeen.push_back("window");
    return 42;
  }
  return DefWindowProcW(h, m, w, l);
}

// Other code's subclass, done the usual way.
WNDPROC gForeignSaved = nullptr;
LRESULT CALLBACK ForeignProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == kProbe) gSeen.push_back("foreign");
  return CallWindowProcW(gForeignSaved, h, m, w, l);
}

class WindowHook : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    test::EnsureApplication();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HookTestWindow";
    RegisterClassExW(&wc);
  }
  void SetUp() override {
    gSeen.clear();
    window_ = CreateWindowExW(0, L"HookTestWindow", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(window_);
    original_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC));
  }
  void TearDown() override {
    if (IsWindow(window_)) DestroyWindow(window_);
  }
  TWindowHook::Handler Logger(const std::string& name) {
    return [name](const TMessage& m) {
      if (m.Msg == kProbe) gSeen.push_back(name);
    };
  }
  std::vector<std::string> Probe() {
    gSeen.clear();
    EXPECT_EQ(SendMessageW(window_, kProbe, 0, 0), 42);  // the window's answer comes back
    return gSeen;
  }
  WNDPROC Current() const { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC)); }

  HWND window_ = nullptr;
  WNDPROC original_ = nullptr;
};

TEST_F(WindowHook, NewestSeesFirstAndTakingItOffRestoresWhatItReplaced) {
  TWindowHook a(window_, Logger("a"));
  {
    TWindowHook b(window_, Logger("b"));
    EXPECT_EQ(Probe(), (std::vector<std::string>{"b", "a", "window"}));
    EXPECT_EQ(b.SavedProc(), a.HookProc());
    EXPECT_EQ(b.Window(), window_);
  }
  EXPECT_EQ(Current(), a.HookProc());
  EXPECT_EQ(Probe(), (std::vector<std::string>{"a", "window"}));
  a.Unhook();
  EXPECT_EQ(Current(), original_);
  EXPECT_EQ(a.Window(), nullptr);
  EXPECT_EQ(Probe(), (std::vector<std::string>{"window"}));
}

TEST_F(WindowHook, AForeignSubclassOnTopIsNeverCutOut) {
  auto hook = std::make_unique<TWindowHook>(window_, Logger("hook"));
  gForeignSaved = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window_, GWLP_WNDPROC, LONG_PTR(&ForeignProc)));
  EXPECT_EQ(Probe(), (std::vector<std::string>{"foreign", "hook", "window"}));
  // our hook goes first: it cannot restore without dropping the foreign subclass, so it stays a
  // silent link of the chain
  hook.reset();
  EXPECT_EQ(Current(), &ForeignProc);
  EXPECT_EQ(Probe(), (std::vector<std::string>{"foreign", "window"}));
  // the foreign code puts back what it saved (our pass-through): the window still answers
  SetWindowLongPtrW(window_, GWLP_WNDPROC, LONG_PTR(gForeignSaved));
  EXPECT_EQ(Probe(), (std::vector<std::string>{"window"}));
  // the pass-through goes with the window
  DestroyWindow(window_);
}

TEST_F(WindowHook, ADestroyedWindowDropsTheHook) {
  TWindowHook hook(window_, Logger("hook"));
  EXPECT_EQ(hook.Window(), window_);
  DestroyWindow(window_);
  EXPECT_EQ(hook.Window(), nullptr);
  hook.Unhook();  // nothing to do, nothing touched
}

TEST_F(WindowHook, AFailingHandlerIsReportedAndTheWindowStillAnswers) {
  std::vector<std::string> reports;
  Application->OnException = decltype(Application->OnException)([&](TObject*, const std::string& text) { reports.push_back(text); });
  TWindowHook hook(window_, [](const TMessage& m) {
    if (m.Msg == kProbe) throw Exception("hook failed");
  });
  EXPECT_EQ(Probe(), (std::vector<std::string>{"window"}));
  EXPECT_EQ(reports, (std::vector<std::string>{"hook failed"}));
  Application->OnException.Clear();
}

TEST_F(WindowHook, AHandlerMayTakeItsOwnHookOff) {
  std::unique_ptr<TWindowHook> hook;
  hook = std::make_unique<TWindowHook>(window_, [&](const TMessage& m) {
    if (m.Msg == kProbe) {
      gSeen.push_back("hook");
      hook.reset();
    }
  });
  EXPECT_EQ(Probe(), (std::vector<std::string>{"hook", "window"}));
  EXPECT_EQ(Current(), original_);
  EXPECT_EQ(Probe(), (std::vector<std::string>{"window"}));
}

}  // namespace
}  // namespace bus
