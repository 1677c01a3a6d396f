// Radio buttons and groups, combo boxes and list boxes from a description: their values by name
// and in the native controls, and the events of a user's choice (once, after the value changed;
// none for a change made by code).
#include <windows.h>

#include <gtest/gtest.h>

#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/RadioButton.h"
#include "framework/controls/RadioGroup.h"
#include "tests/framework/controls/KindsTest.h"

namespace bus::test {
namespace {

using Strings = std::vector<std::string>;

std::string WindowText(HWND h) {
  wchar_t text[256] = {};
  GetWindowTextW(h, text, 256);
  return Narrow(text);
}

// The native check marks of a radio group's buttons, "1" for checked.
std::string CheckMarks(TCustomRadioGroup& group) {
  std::string marks;
  for (int i = 0; i < group.Items().Count(); ++i)
    marks += SendMessageW(group.Buttons(i)->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED ? '1' : '0';
  return marks;
}

TEST_F(ControlKinds, ListControlsShowTheirDescriptionAndAnswerByName) {
  auto& group = Get<TRadioGroup>("RadioGroup1");
  EXPECT_EQ(GetPropertyValue(&group, "Items"), "西安\r\n北京\r\n上海\r\n");
  EXPECT_EQ(GetPropertyValue(&group, "ItemIndex"), "1");
  EXPECT_EQ(CheckMarks(group), "010");
  EXPECT_EQ(WindowText(group.Buttons(2)->Handle()), "上海");
  EXPECT_EQ(group.Buttons(0)->Parent(), &group);
  EXPECT_EQ(group.Buttons(0)->ClassName(), "TRadioButton");
  // three rows in one column below the caption, then two columns
  EXPECT_LT(group.Buttons(0)->Top(), group.Buttons(1)->Top());
  SetPropertyValue(&group, "Columns", "2");
  EXPECT_GT(group.Buttons(2)->Left(), group.Buttons(0)->Left());
  SetPropertyValue(&group, "Items", "东\r\n南\r\n西\r\n北");
  ASSERT_EQ(group.ControlCount(), 4);
  EXPECT_EQ(WindowText(group.Buttons(3)->Handle()), "北");
  EXPECT_EQ(CheckMarks(group), "0100");

  auto& list = Get<TComboBox>("ComboBox1");
  HWND h = list.Handle();
  EXPECT_EQ(GetPropertyValue(&list, "Style"), "csDropDownList");
  EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
  EXPECT_EQ(SendMessageW(h, CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessageW(h, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(GetPropertyValue(&list, "Text"), "27路");
  SetPropertyValue(&list, "Text", "600路");  // a drop-down list selects the item of that text
  EXPECT_EQ(SendMessageW(h, CB_GETCURSEL, 0, 0), 3);
  SetPropertyValue(&list, "Text", "no such line");
  EXPECT_EQ(list.ItemIndex(), -1);
  list.Items().Add("游8路");
  EXPECT_EQ(SendMessageW(h, CB_GETCOUNT, 0, 0), 5);

  auto& edit = Get<TComboBox>("ComboBox2");
  EXPECT_EQ(GetPropertyValue(&edit, "Text"), "钟楼");
  EXPECT_EQ(edit.ItemIndex(), 0);  // the item of that text
  SetPropertyValue(&edit, "Text", "北大街");
  EXPECT_EQ(WindowText(edit.Handle()), "北大街");
  EXPECT_EQ(edit.ItemIndex(), -1);  // no item of that text
  // the style is the window's: a new style makes the window again, keeping items and text
  SetPropertyValue(&edit, "Style", "csSimple");
  EXPECT_EQ(GetWindowLongW(edit.Handle(), GWL_STYLE) & 3, CBS_SIMPLE);
  EXPECT_EQ(SendMessageW(edit.Handle(), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(edit.Text(), "北大街");

  auto& box = Get<TListBox>("ListBox1");
  EXPECT_EQ(SendMessageW(box.Handle(), LB_GETCOUNT, 0, 0), 10);
  SetPropertyValue(&box, "ItemIndex", "4");
  EXPECT_EQ(SendMessageW(box.Handle(), LB_GETCURSEL, 0, 0), 4);
  box.Items().Delete(9);
  EXPECT_EQ(SendMessageW(box.Handle(), LB_GETCOUNT, 0, 0), 9);
  EXPECT_EQ(box.ItemIndex(), 4);  // the selection outlives a change of the items

  EXPECT_TRUE(Events().empty()) << "code changed every value: no event";
}

TEST_F(ControlKinds, AClickOnAGroupButtonChecksOnlyItAndTellsTheGroupOnce) {
  auto& group = Get<TRadioGroup>("RadioGroup1");
  SendMessageW(group.Buttons(2)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(group.ItemIndex(), 2);
  EXPECT_EQ(CheckMarks(group), "001");
  EXPECT_TRUE(group.Buttons(2)->TabStop());
  EXPECT_FALSE(group.Buttons(1)->TabStop());
  EXPECT_EQ(Events(), Strings{"click RadioGroup1"});
  SendMessageW(group.Buttons(2)->Handle(), BM_CLICK, 0, 0);  // already checked: nothing new
  EXPECT_EQ(Events().size(), 1u);
  group.SetItemIndex(0);
  EXPECT_EQ(CheckMarks(group), "100");
  group.SetItemIndex(7);  // past the items: none
  EXPECT_EQ(group.ItemIndex(), -1);
  EXPECT_EQ(CheckMarks(group), "000");
  EXPECT_EQ(Events().size(), 1u);

  // radio buttons of one parent uncheck each other
  auto& one = Get<TRadioButton>("RadioButton1");
  auto& two = Get<TRadioButton>("RadioButton2");
  SendMessageW(two.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(two.Checked());
  EXPECT_FALSE(one.Checked());
  EXPECT_EQ(SendMessageW(one.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(GetPropertyValue(&two, "Checked"), "True");
  EXPECT_EQ(Events().back(), "click RadioButton2");
  one.SetChecked(true);
  EXPECT_FALSE(two.Checked());
  EXPECT_EQ(Events().size(), 2u);
}

TEST_F(ControlKinds, ChoosingAComboItemFiresOnChangeOnceWithTheNewTextAlreadyShown) {
  auto& list = Get<TComboBox>("ComboBox1");
  std::string textSeen;
  int indexSeen = -2;
  list.OnChange = TNotifyEvent([&](TObject*) {
    textSeen = list.Text();
    indexSeen = list.ItemIndex();
  });
  SendMessageW(list.Handle(), WM_KEYDOWN, VK_DOWN, 0);  // the user's next item
  EXPECT_EQ(indexSeen, 3);
  EXPECT_EQ(textSeen, "600路");

  // an edit with a list: choosing an item shows it in the edit before OnChange
  auto& edit = Get<TComboBox>("ComboBox2");
  edit.SetDroppedDown(true);
  SendMessageW(edit.Handle(), WM_KEYDOWN, VK_DOWN, 0);
  SendMessageW(edit.Handle(), WM_KEYDOWN, VK_RETURN, 0);
  PumpPending();
  ASSERT_FALSE(Events().empty());
  EXPECT_EQ(Events(), Strings{"change ComboBox2"});
  EXPECT_EQ(edit.Text(), edit.Items()[edit.ItemIndex()]);
  // typing in its edit fires OnChange for each change
  Events().clear();
  HWND inner = GetWindow(edit.Handle(), GW_CHILD);
  SendMessageW(inner, WM_CHAR, L'站', 0);
  EXPECT_EQ(Events(), Strings{"change ComboBox2"});
  EXPECT_NE(edit.Text().find("站"), std::string::npos);
  // from code: nothing
  Events().clear();
  edit.SetItemIndex(0);
  edit.SetComboText("南门");
  edit.Items().Add("南门");
  EXPECT_TRUE(Events().empty());
  EXPECT_EQ(edit.Text(), "南门");
}

// The dropped list has room for DropDownCount items, or for all of them when there are fewer.
TEST_F(ControlKinds, TheDroppedListShowsDropDownCountItems) {
  auto& list = Get<TComboBox>("ComboBox1");
  auto droppedRows = [&] {
    list.SetDroppedDown(true);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(list.Handle(), &info);
    RECT r{};
    GetClientRect(info.hwndList, &r);
    list.SetDroppedDown(false);
    return double(r.bottom) / SendMessageW(list.Handle(), CB_GETITEMHEIGHT, 0, 0);
  };
  EXPECT_NEAR(droppedRows(), 4, 0.5);  // 4 items, room for 6
  for (int i = 0; i < 10; ++i) list.Items().Add("线路" + std::to_string(i));
  EXPECT_NEAR(droppedRows(), 6, 0.5);
  list.SetDropDownCount(10);
  EXPECT_NEAR(droppedRows(), 10, 0.5);
}

TEST_F(ControlKinds, AListBoxClickSelectsTheItemUnderTheMouseAndClicksOnce) {
  auto& box = Get<TListBox>("ListBox1");
  RECT item{};
  SendMessageW(box.Handle(), LB_GETITEMRECT, 2, LPARAM(&item));
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageW(box.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(box.Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(box.ItemIndex(), 2);
  EXPECT_EQ(GetPropertyValue(&box, "ItemIndex"), "2");
  EXPECT_EQ(Events(), Strings{"click ListBox1"});
}

}  // namespace
}  // namespace bus::test
