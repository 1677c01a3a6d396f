// Forms for multiple documents, built from descriptions: the frame's client window, children made
// inside it, their arrangements, and a child closed by the user.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/FrameworkClasses.h"
#include "tests/support/WindowTestSupport.h"

namespace bus {
namespace {

constexpr const char* kFrameForm = R"(
object Frame: TForm
  Left = 30
  Top = 30
  ClientWidth = 480
  ClientHeight = 320
  Caption = 'frame'
  FormStyle = fsMDIForm
  Visible = True
end
)";

std::string ChildForm(const char* name) {
  return std::string("object ") + name + ": TForm\n  ClientWidth = 180\n  ClientHeight = 100\n  Caption = '" + name +
         "'\n  FormStyle = fsMDIChild\n  Visible = True\nend\n";
}

class MDIForms : public ::testing::Test {
protected:
  static void SetUpTestSuite() { test::EnsureApplication(); }
  void TearDown() override {
    for (TForm* child : children_) child->Free();
    if (frame_) frame_->Free();
    test::PumpPending();
  }
  TForm* MakeChild(const char* name) {
    auto* child = new TForm(Application);
    children_.push_back(child);
    child->Build(ChildForm(name));
    return child;
  }

  TForm* frame_ = nullptr;
  std::vector<TForm*> children_;  // freed before the frame
};

TEST_F(MDIForms, ChildrenLieInTheFramesClientAndAreArrangedClosedAndCounted) {
  frame_ = new TForm(Application);
  frame_->Build(kFrameForm);
  const HWND client = frame_->ClientHandle();
  ASSERT_NE(client, nullptr);
  wchar_t cls[16] = {};
  GetClassNameW(client, cls, 16);
  EXPECT_STREQ(cls, L"MDIClient");
  RECT frameClient{}, clientRect{};
  GetClientRect(frame_->Handle(), &frameClient);
  GetWindowRect(client, &clientRect);
  EXPECT_EQ(clientRect.right - clientRect.left, frameClient.right) << "the client fills the frame";

  TForm* one = MakeChild("One");
  TForm* two = MakeChild("Two");
  ASSERT_EQ(frame_->MDIChildCount(), 2);
  EXPECT_EQ(GetParent(one->Handle()), client);
  EXPECT_NE(GetWindowLongPtrW(one->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD, 0);
  EXPECT_EQ(frame_->ActiveMDIChild(), two) << "the newest child is active";

  SendMessageW(client, WM_MDIACTIVATE, WPARAM(one->Handle()), 0);
  SendMessageW(client, WM_MDIMAXIMIZE, WPARAM(one->Handle()), 0);
  ASSERT_TRUE(test::PumpUntil([&] { return IsZoomed(one->Handle()) != 0; }));
  EXPECT_EQ(one->WindowState(), TWindowState::wsMaximized);
  frame_->Cascade();
  EXPECT_TRUE(test::PumpUntil([&] { return !IsZoomed(one->Handle()); })) << "cascading restores";

  // closed by the user, a child is minimised, not hidden or freed
  PostMessageW(two->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(test::PumpUntil([&] { return IsIconic(two->Handle()) != 0; }));
  EXPECT_EQ(frame_->MDIChildCount(), 2);

  // freed, a child leaves the client, and the other one is the active child
  SendMessageW(client, WM_MDIACTIVATE, WPARAM(two->Handle()), 0);
  std::erase(children_, two);
  two->Free();
  EXPECT_EQ(frame_->MDIChildCount(), 1);
  EXPECT_EQ(frame_->ActiveMDIChild(), one);
}

TEST_F(MDIForms, AChildWithoutAnMDIFormIsRefused) {
  auto* child = new TForm(Application);
  children_.push_back(child);
  EXPECT_THROW(child->Build(ChildForm("Lost")), EInvalidOperation);
  EXPECT_EQ(child->HandleIfAllocated(), nullptr) << "no window made elsewhere";
}

}  // namespace
}  // namespace bus
