// Scroll boxes and frames from a description: ranges measured from the children, scrolling that
// moves them, and frames built from their own description, each with its own children and
// handlers.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/Properties.h"
#include "framework/controls/ScrollBox.h"
#include "framework/controls/StdCtrls.h"
#include "tests/framework/controls/KindsFrame.h"
#include "tests/framework/controls/KindsTest.h"

namespace bus::test {
namespace {

TEST_F(ControlKinds, AScrollBoxMeasuresItsChildrenAndScrollsThem) {
  auto& box = Get<TScrollBox>("ScrollBox1");
  auto& panel = Get<TPanel>("Panel1");
  auto& label = Get<TLabel>("Label2");
  HWND h = box.Handle();
  EXPECT_EQ(box.HorzScrollBar()->Range(), label.Left() + label.Width());
  EXPECT_EQ(GetPropertyValue(&box, "VertScrollBar.Range"), std::to_string(label.Top() + label.Height()));
  EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & WS_VSCROLL);
  EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & WS_HSCROLL);
  // a line down moves every child up by Increment
  SendMessageW(h, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(box.VertScrollBar()->Position(), 8);
  EXPECT_EQ(panel.Top(), 0);
  EXPECT_EQ(label.Top(), 192);
  EXPECT_EQ(GetScrollPos(h, SB_VERT), 8);
  // to the end: the last child's bottom meets the client area's
  SendMessageW(h, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(label.Top() + label.Height(), box.ClientHeight());
  // the range does not change with the scrolling
  box.UpdateScrollBars();
  EXPECT_EQ(box.VertScrollBar()->Range(), 200 + label.Height());
  // the wheel scrolls three lines a notch
  SetPropertyValue(&box, "VertScrollBar.Position", "40");
  SendMessageW(h, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(box.VertScrollBar()->Position(), 16);
  EXPECT_EQ(panel.Top(), 8 - 16);
  // without AutoScroll the ranges are what is set: none at first, so the children go back
  SetPropertyValue(&box, "AutoScroll", "False");
  EXPECT_EQ(panel.Top(), 8);
  EXPECT_FALSE(GetWindowLongW(h, GWL_STYLE) & WS_VSCROLL);
  SetPropertyValue(&box, "HorzScrollBar.Range", "1000");
  EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & WS_HSCROLL);
  EXPECT_FALSE(GetWindowLongW(h, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(ControlKinds, EachFrameHoldsItsOwnChildrenBuiltFromTheFramesDescription) {
  auto& one = Get<TfraKinds>("Frame1");
  auto& two = Get<TfraKinds>("Frame2");
  ASSERT_TRUE(one.Button1 && two.Button1);
  EXPECT_NE(one.Button1, two.Button1);
  EXPECT_EQ(one.Button1->Owner(), &one);
  EXPECT_EQ(one.Button1->Parent(), &one);
  EXPECT_EQ(one.Edit1->Text(), "钟楼");
  EXPECT_EQ(one.Name(), "Frame1");  // the name of its place on the form
  EXPECT_EQ(one.Top(), 368);        // the form's placement, not the frame's own
  EXPECT_EQ(one.Width(), 376);
  EXPECT_EQ(form_->FindComponent("Button1"), nullptr);  // the frame's, not the form's
  EXPECT_EQ(GetParent(two.Edit1->Handle()), two.Handle());
  SendMessageW(two.Button1->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(two.Clicks, 1);
  EXPECT_EQ(one.Clicks, 0);
  // a frame made by code builds itself the same way
  auto* three = new TfraKinds(form_);
  three->SetParent(form_);
  EXPECT_EQ(three->Name(), "");
  EXPECT_EQ(three->Edit1->Parent(), three);
  three->Free();
}

}  // namespace
}  // namespace bus::test
