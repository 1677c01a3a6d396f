// Object-bound window procedures under Wine: each stub reaches its own handler with the message's
// parameters intact, a stub subclass and the control's replaceable handler come off in either
// order, and an exception in a stub's handler goes to the error report.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/Application.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/ObjectInstance.h"
#include "tests/support/WindowTestSupport.h"

namespace bus {
namespace {

TEST(ObjectInstance, EveryStubCallsItsOwnHandlerWithTheMessage) {
  test::EnsureApplication();
  // more stubs than one page holds
  std::vector<std::unique_ptr<TObjectInstance>> stubs;
  for (int i = 0; i < 300; ++i)
    stubs.push_back(std::make_unique<TObjectInstance>([i](TMessage& m) {
      if (m.Msg == WM_USER + 7 && m.WParam == WPARAM(0x1234) && m.LParam == LPARAM(-5)) m.Result = i;
    }));
  for (int i = 0; i < 300; ++i)
    EXPECT_EQ(CallWindowProcW(stubs[size_t(i)]->Proc(), nullptr, WM_USER + 7, 0x1234, -5), i) << i;
  // a freed stub is taken again and then serves its new handler
  stubs.resize(10);
  const WNDPROC plain = MakeObjectInstance([](TMessage& m) { m.Result = 77; });
  EXPECT_EQ(CallWindowProcW(plain, nullptr, WM_NULL, 0, 0), 77);
  FreeObjectInstance(plain);
}

class ObjectInstanceWindow : public ::testing::Test {
protected:
  void SetUp() override {
    test::EnsureApplication();
    form_ = new TForm(Application);
    form_->SetBounds(50, 50, 300, 120);
    edit_ = new TEdit(form_);
    edit_->SetParent(form_);
    edit_->SetBounds(10, 10, 200, 21);
    form_->Show();
    window_ = edit_->Handle();
  }
  void TearDown() override {
    Application->OnException = {};
    form_->Free();
    test::PumpPending();
  }

  // Hooks the edit's window with a stub that logs WM_SETTEXT as name and calls what it replaced.
  struct Hook {
    Hook(HWND window, std::string name, std::vector<std::string>& log)
        : window(window), instance([this, name, &log](TMessage& m) {
            if (m.Msg == WM_SETTEXT) log.push_back(name);
            m.Result = CallWindowProcW(saved, this->window, m.Msg, m.WParam, m.LParam);
          }) {
      saved = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, LONG_PTR(instance.Proc())));
    }
    void Unhook() const { SetWindowLongPtrW(window, GWLP_WNDPROC, LONG_PTR(saved)); }
    HWND window;
    WNDPROC saved = nullptr;
    TObjectInstance instance;
  };

  TForm* form_ = nullptr;
  TEdit* edit_ = nullptr;
  HWND window_ = nullptr;
};

TEST_F(ObjectInstanceWindow, AStubSubclassAndAReplacedHandlerComeOffInEitherOrder) {
  std::vector<std::string> log;
  for (bool handlerFirst : {true, false}) {
    const TWndMethod saved = edit_->WindowProc();
    edit_->SetWindowProc([&](TMessage& m) {
      if (m.Msg == WM_SETTEXT) log.push_back("handler");
      saved(m);
    });
    auto hook = std::make_unique<Hook>(window_, "stub", log);
    log.clear();
    edit_->SetText("one");
    EXPECT_EQ(log, (std::vector<std::string>{"stub", "handler"}));
    if (handlerFirst) {
      edit_->SetWindowProc(saved);
      hook->Unhook();
    } else {
      hook->Unhook();
      edit_->SetWindowProc(saved);
    }
    hook.reset();
    log.clear();
    edit_->SetText(handlerFirst ? "two" : "three");
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(edit_->Text(), handlerFirst ? "two" : "three");
  }
}

TEST_F(ObjectInstanceWindow, AnExceptionInAStubHandlerIsReportedAndTheMessageAnswered) {
  std::vector<std::string> reports;
  Application->OnException = decltype(Application->OnException)([&](TObject*, const std::string& text) { reports.push_back(text); });
  WNDPROC saved = nullptr;
  TObjectInstance instance([&](TMessage& m) {
    if (m.Msg == WM_USER + 1) {
      m.Result = 5;
      throw Exception("hook failed");
    }
    m.Result = CallWindowProcW(saved, window_, m.Msg, m.WParam, m.LParam);
  });
  saved = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window_, GWLP_WNDPROC, LONG_PTR(instance.Proc())));
  EXPECT_EQ(SendMessageW(window_, WM_USER + 1, 0, 0), 5);
  edit_->SetText("after");
  SetWindowLongPtrW(window_, GWLP_WNDPROC, LONG_PTR(saved));
  EXPECT_EQ(reports, (std::vector<std::string>{"hook failed"}));
  EXPECT_EQ(edit_->Text(), "after");
}

}  // namespace
}  // namespace bus
