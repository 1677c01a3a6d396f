// Progress bars, track bars, up-down controls and scroll bars from a description: their values by
// name and in the native controls, the moves of a user (keys and mouse), the events they fire (once
// per change, none for code), and an up-down control keeping its edit's number in step.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/ProgressBar.h"
#include "framework/controls/ScrollBar.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/TrackBar.h"
#include "framework/controls/UpDown.h"
#include "tests/framework/controls/KindsTest.h"

namespace bus::test {
namespace {

using Strings = std::vector<std::string>;

TEST_F(ControlKinds, AProgressBarKeepsPositionInsideItsRange) {
  auto& bar = Get<TProgressBar>("ProgressBar1");
  HWND h = bar.Handle();
  EXPECT_EQ(SendMessageW(h, PBM_GETPOS, 0, 0), 50);
  EXPECT_EQ(SendMessageW(h, PBM_GETRANGE, FALSE, 0), 200);
  SetPropertyValue(&bar, "Position", "500");
  EXPECT_EQ(GetPropertyValue(&bar, "Position"), "200");
  EXPECT_EQ(SendMessageW(h, PBM_GETPOS, 0, 0), 200);
  SetPropertyValue(&bar, "Max", "120");  // the position follows a lower end
  EXPECT_EQ(bar.Position(), 120);
  SetPropertyValue(&bar, "Min", "150");  // a minimum past the maximum moves it along
  EXPECT_EQ(bar.Max(), 150);
  EXPECT_EQ(SendMessageW(h, PBM_GETRANGE, TRUE, 0), 150);
  bar.SetMin(0);
  bar.SetPosition(0);
  bar.StepIt();
  EXPECT_EQ(SendMessageW(h, PBM_GETPOS, 0, 0), 10);
  SetPropertyValue(&bar, "Orientation", "pbVertical");
  EXPECT_TRUE(GetWindowLongW(bar.Handle(), GWL_STYLE) & PBS_VERTICAL);
  EXPECT_EQ(SendMessageW(bar.Handle(), PBM_GETPOS, 0, 0), 10);  // the new window keeps the values
}

TEST_F(ControlKinds, MovingTheTrackBarThumbFiresOnChangeOncePerMove) {
  auto& track = Get<TTrackBar>("TrackBar1");
  HWND h = track.Handle();
  EXPECT_EQ(SendMessageW(h, TBM_GETRANGEMAX, 0, 0), 20);
  EXPECT_EQ(SendMessageW(h, TBM_GETNUMTICS, 0, 0), 11);  // every second position, both ends
  int seen = -1;
  track.OnChange = TNotifyEvent([&](TObject*) {
    seen = track.Position();
    Events().push_back("change");
  });
  SendMessageW(h, WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageW(h, WM_KEYUP, VK_RIGHT, 0);
  EXPECT_EQ(seen, 5);
  SendMessageW(h, WM_KEYDOWN, VK_NEXT, 0);
  SendMessageW(h, WM_KEYUP, VK_NEXT, 0);
  EXPECT_EQ(seen, 10);
  EXPECT_EQ(Events(), (Strings{"change", "change"}));  // the key-up's end of scroll moved nothing
  track.SetPosition(15);
  EXPECT_EQ(SendMessageW(h, TBM_GETPOS, 0, 0), 15);
  EXPECT_EQ(GetPropertyValue(&track, "Position"), "15");
  EXPECT_EQ(Events().size(), 2u);
  SetPropertyValue(&track, "Orientation", "trVertical");
  EXPECT_TRUE(GetWindowLongW(track.Handle(), GWL_STYLE) & TBS_VERT);
  EXPECT_EQ(track.Position(), 15);
}

TEST_F(ControlKinds, AnUpDownControlStepsItsEditsNumberBothWays) {
  auto& updown = Get<TUpDown>("UpDown1");
  auto& edit = Get<TEdit>("Edit1");
  HWND h = updown.Handle();
  EXPECT_EQ(HWND(SendMessageW(h, UDM_GETBUDDY, 0, 0)), edit.Handle());
  EXPECT_EQ(edit.Text(), "5");
  EXPECT_EQ(updown.Left(), edit.Left() + edit.Width());  // placed at the edit's right edge
  // a click on the upper arrow steps up by Increment
  RECT r{};
  GetClientRect(h, &r);
  const LPARAM up = MAKELPARAM(r.right / 2, r.bottom / 4);
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, up);
  SendMessageW(h, WM_LBUTTONUP, 0, up);
  EXPECT_EQ(updown.Position(), 7);
  EXPECT_EQ(edit.Text(), "7");
  EXPECT_EQ(Events(), Strings{"change UpDown1"});
  // a number typed in the edit is where the next step starts
  edit.SetText("40");
  const LPARAM down = MAKELPARAM(r.right / 2, r.bottom * 3 / 4);
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, down);
  SendMessageW(h, WM_LBUTTONUP, 0, down);
  EXPECT_EQ(edit.Text(), "38");
  EXPECT_EQ(Events().size(), 2u);
  // from code, by name: the edit follows, no event
  SetPropertyValue(&updown, "Position", "90");
  EXPECT_EQ(edit.Text(), "90");
  SetPropertyValue(&updown, "Position", "1000");
  EXPECT_EQ(edit.Text(), "99");
  EXPECT_EQ(Events().size(), 2u);
  // the associate freed: the up-down lets it go
  edit.Free();
  EXPECT_EQ(updown.Associate(), nullptr);
  EXPECT_EQ(SendMessageW(h, UDM_GETBUDDY, 0, 0), 0);
}

TEST_F(ControlKinds, AScrollBarWorksOutTheNewPositionAndAsksOnScrollFirst) {
  auto& bar = Get<TScrollBar>("ScrollBar1");
  HWND h = bar.Handle();
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(h, SB_CTL, &si);
  EXPECT_EQ(si.nMax, 100);
  EXPECT_EQ(si.nPage, 10u);
  const auto key = [&](WPARAM vk) {
    SendMessageW(h, WM_KEYDOWN, vk, 0);
    SendMessageW(h, WM_KEYUP, vk, 0);
  };
  key(VK_RIGHT);
  key(VK_NEXT);
  EXPECT_EQ(bar.Position(), 11);
  key(VK_END);  // the thumb stops where the page reaches the end
  EXPECT_EQ(bar.Position(), 91);
  EXPECT_EQ(GetScrollPos(h, SB_CTL), 91);
  // (whether a key's release brings an end of scroll depends on the platform: it moves nothing)
  std::erase_if(Events(), [](const std::string& e) { return e.starts_with("scroll ScrollBar1 8 "); });
  EXPECT_EQ(Events(), (Strings{"scroll ScrollBar1 1 1", "change ScrollBar1", "scroll ScrollBar1 3 11",
                               "change ScrollBar1", "scroll ScrollBar1 7 91", "change ScrollBar1"}));
  // OnScroll may hold the position back
  Events().clear();
  bar.SetPosition(0);
  form_->ScrollLimit = 5;
  key(VK_NEXT);
  EXPECT_EQ(bar.Position(), 5);
  EXPECT_EQ(GetScrollPos(h, SB_CTL), 5);
  // a mouse press on the right arrow (the platform tracks it until the release)
  form_->ScrollLimit = 1000;
  Events().clear();
  RECT r{};
  GetClientRect(h, &r);
  const LPARAM arrow = MAKELPARAM(r.right - 3, r.bottom / 2);
  PostMessageW(h, WM_LBUTTONUP, 0, arrow);
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, arrow);
  PumpPending();
  EXPECT_EQ(bar.Position(), 6);
  ASSERT_GE(Events().size(), 2u);
  EXPECT_EQ(Events()[1], "change ScrollBar1");
  // from code, by name: no events, the range keeps the position inside
  Events().clear();
  SetPropertyValue(&bar, "Position", "70");
  EXPECT_EQ(GetScrollPos(h, SB_CTL), 70);
  SetPropertyValue(&bar, "Max", "50");
  EXPECT_EQ(bar.Position(), 41);
  EXPECT_TRUE(Events().empty());
  SetPropertyValue(&bar, "Kind", "sbVertical");
  EXPECT_TRUE(GetWindowLongW(bar.Handle(), GWL_STYLE) & SBS_VERT);
  EXPECT_GT(bar.Height(), bar.Width());
}

}  // namespace
}  // namespace bus::test
