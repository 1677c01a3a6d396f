// List views, date-time pickers and rich edits from a description: what the native controls hold,
// the user's keys and clicks, and the events they fire (after the control shows the new value,
// once per change).
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/DateTimePicker.h"
#include "framework/controls/ListView.h"
#include "framework/controls/RichEdit.h"
#include "tests/framework/controls/KindsTest.h"

namespace bus::test {
namespace {

using Strings = std::vector<std::string>;

std::string ItemText(HWND view, int item, int column) {
  wchar_t text[64] = {};
  LVITEMW it{};
  it.iSubItem = column;
  it.pszText = text;
  it.cchTextMax = 64;
  SendMessageW(view, LVM_GETITEMTEXTW, WPARAM(item), LPARAM(&it));
  return Narrow(text);
}

void Key(HWND h, WPARAM vk) {
  SendMessageW(h, WM_KEYDOWN, vk, 0);
  SendMessageW(h, WM_KEYUP, vk, 0);
}

TEST_F(ControlKinds, AReportViewShowsColumnsUnderItsHeaderAndTellsTheUsersSelection) {
  auto& view = Get<TListView>("ListView1");
  HWND h = view.Handle();
  EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
  ASSERT_NE(view.HeaderHandle(), nullptr);
  EXPECT_TRUE(IsWindowVisible(view.HeaderHandle()));
  EXPECT_EQ(Header_GetItemCount(view.HeaderHandle()), 3);
  EXPECT_EQ(ListView_GetItemCount(h), 4);
  EXPECT_EQ(ItemText(h, 1, 2), "南稍门");
  EXPECT_EQ(ListView_GetColumnWidth(h, 1), 80);
  EXPECT_TRUE(ListView_GetExtendedListViewStyle(h) & LVS_EX_FULLROWSELECT);
  EXPECT_EQ(view.ItemIndex(), -1);
  // the user's keys: the item losing the selection is told before the one getting it
  view.SetFocus();
  Key(h, VK_DOWN);
  Key(h, VK_DOWN);
  EXPECT_EQ(view.ItemIndex(), 1);
  EXPECT_EQ(view.Selected()->Caption(), "14路");
  const Strings selections(Events().end() - 2, Events().end());
  EXPECT_EQ(selections, (Strings{"select ListView1 5路 off", "select ListView1 14路 on"}));
  // a click on a column heading
  Events().clear();
  RECT heading{};
  Header_GetItemRect(view.HeaderHandle(), 1, &heading);
  const LPARAM at = MAKELPARAM((heading.left + heading.right) / 2, (heading.top + heading.bottom) / 2);
  SendMessageW(view.HeaderHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(view.HeaderHandle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(Events(), Strings{"column ListView1 起点"});
  // from code, by name: the view follows, nothing is told
  Events().clear();
  SetPropertyValue(&view, "ItemIndex", "3");
  EXPECT_EQ(ListView_GetNextItem(h, -1, LVNI_SELECTED), 3);
  view.Items()->Items(3)->SetSubItems(TStringList{"纺织城", "大明宫"});
  EXPECT_EQ(ItemText(h, 3, 2), "大明宫");
  view.Items()->Add()->SetCaption("游8路");
  EXPECT_EQ(ListView_GetItemCount(h), 5);
  EXPECT_EQ(view.ItemIndex(), 3);
  ListView_SetColumnWidth(h, 0, 75);  // as a drag of the heading's edge leaves it
  EXPECT_EQ(view.Columns()->Items(0)->Width(), 75);
  SetPropertyValue(&view, "ViewStyle", "vsList");
  EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & LVS_TYPEMASK, LVS_LIST);
  EXPECT_TRUE(Events().empty());
}

TEST_F(ControlKinds, DateTimePickersHoldTheirValueAndTellTheUsersChanges) {
  auto& date = Get<TDateTimePicker>("DateTimePicker1");
  auto& time = Get<TDateTimePicker>("DateTimePicker2");
  auto& updown = Get<TDateTimePicker>("DateTimePicker3");
  EXPECT_EQ(GetWindowLongW(date.Handle(), GWL_STYLE) & (DTS_UPDOWN | DTS_TIMEFORMAT), 0);
  EXPECT_EQ(GetWindowLongW(time.Handle(), GWL_STYLE) & DTS_TIMEFORMAT, DTS_TIMEFORMAT);
  EXPECT_EQ(GetWindowLongW(updown.Handle(), GWL_STYLE) & DTS_UPDOWN, DTS_UPDOWN);
  EXPECT_TRUE(date.HasCalendar());
  EXPECT_FALSE(time.HasCalendar());
  EXPECT_FALSE(updown.HasCalendar());
  SYSTEMTIME st{};
  SendMessageW(date.Handle(), DTM_GETSYSTEMTIME, 0, LPARAM(&st));
  EXPECT_EQ(st.wYear, 2024);
  EXPECT_EQ(st.wDay, 28);
  EXPECT_EQ(st.wHour, 8);
  EXPECT_EQ(GetPropertyValue(&time, "Time"), "08:30:00");
  EXPECT_EQ(GetPropertyValue(&updown, "Date"), "2023-12-31");
  // text that names no date is refused with a message, the value unchanged
  try {
    SetPropertyValue(&date, "Date", "2023-02-29");
    ADD_FAILURE() << "no error";
  } catch (const EPropertyError& e) {
    EXPECT_NE(e.Message().find("2023-02-29"), std::string::npos);
  }
  EXPECT_EQ(date.Date(), "2024-02-28");
  // the user clicks the hours and steps them with the arrow keys
  time.SetFocus();
  SendMessageW(time.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, time.ClientHeight() / 2));
  SendMessageW(time.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(6, time.ClientHeight() / 2));
  std::string seen;
  time.OnChange = TNotifyEvent([&](TObject*) {
    seen = time.Time();
    Events().push_back("change");
  });
  Key(time.Handle(), VK_UP);
  EXPECT_EQ(Events(), Strings{"change"});
  EXPECT_NE(seen, "08:30:00");
  EXPECT_EQ(seen, time.Time());
  // from code: nothing; a new kind keeps the value
  SetPropertyValue(&time, "Time", "23:59:00");
  SetPropertyValue(&date, "Kind", "dtkTime");
  EXPECT_EQ(GetWindowLongW(date.Handle(), GWL_STYLE) & DTS_TIMEFORMAT, DTS_TIMEFORMAT);
  EXPECT_EQ(date.Date(), "2024-02-28");
  EXPECT_EQ(date.Time(), "08:30:00");
  EXPECT_EQ(Events().size(), 1u);
}

TEST_F(ControlKinds, ARichEditIsThePlatformsRichEditWithAMemosLines) {
  auto& rich = Get<TRichEdit>("RichEdit1");
  HWND h = rich.Handle();
  EXPECT_EQ(SendMessageW(h, EM_GETEVENTMASK, 0, 0) & ENM_CHANGE, ENM_CHANGE);  // a plain edit knows no event mask
  EXPECT_EQ(rich.Lines().Count(), 3);
  EXPECT_EQ(rich.Lines()[1], "换乘 27路");
  EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & WS_VSCROLL);
  SetPropertyValue(&rich, "Color", "clYellow");
  EXPECT_EQ(COLORREF(SendMessageW(h, EM_SETBKGNDCOLOR, 0, RGB(255, 255, 255))), RGB(255, 255, 0));
  SetPropertyValue(&rich, "ReadOnly", "True");
  EXPECT_TRUE(SendMessageW(h, EM_GETOPTIONS, 0, 0) & ECO_READONLY);
  rich.SetReadOnly(false);
  // typing tells once per change
  Events().clear();
  SendMessageW(h, EM_SETSEL, 0, 0);
  SendMessageW(h, WM_CHAR, L'快', 0);
  EXPECT_EQ(Events(), Strings{"change RichEdit1"});
  EXPECT_EQ(rich.Lines()[0], "快乘 5路 到 钟楼");
}

}  // namespace
}  // namespace bus::test
