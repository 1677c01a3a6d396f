// Page and tab controls from a description: tabs and pages in the native control, the order of a
// user's page change (asked, new page shown, old page hidden, told), a refused change, tab
// positions, and pages placed in the display area.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/TabControl.h"
#include "framework/controls/TabSheet.h"
#include "tests/framework/controls/KindsTest.h"

namespace bus::test {
namespace {

using Strings = std::vector<std::string>;

std::string TabText(HWND tabs, int index) {
  wchar_t text[64] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 64;
  SendMessageW(tabs, TCM_GETITEMW, WPARAM(index), LPARAM(&item));
  return Narrow(text);
}

// A user's click in the middle of tab index.
void ClickTab(TCustomTabControl& control, int index) {
  const RECT r = control.TabRect(index);
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageW(control.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(control.Handle(), WM_LBUTTONUP, 0, at);
}

TEST_F(ControlKinds, ClickingATabShowsTheNewPageBeforeHidingTheOldOneThenTells) {
  auto& pages = Get<TPageControl>("PageControl1");
  auto& one = Get<TTabSheet>("TabSheet1");
  auto& two = Get<TTabSheet>("TabSheet2");
  EXPECT_EQ(TabCtrl_GetItemCount(pages.Handle()), 2);
  EXPECT_EQ(TabText(pages.Handle(), 1), "线路");
  EXPECT_EQ(pages.ActivePage(), &one);
  EXPECT_TRUE(IsWindowVisible(one.Handle()));
  EXPECT_FALSE(IsWindowVisible(two.Handle()));
  auto journal = [&](const char* name) {
    return [this, name](const TMessage& m) {
      Events().push_back(std::string(m.WParam ? "show " : "hide ") + name);
    };
  };
  TMessageRecorder r1(one, {CM_VISIBLECHANGED}, journal("TabSheet1"));
  TMessageRecorder r2(two, {CM_VISIBLECHANGED}, journal("TabSheet2"));
  ClickTab(pages, 1);
  EXPECT_EQ(Events(), (Strings{"changing PageControl1", "show TabSheet2", "hide TabSheet1", "change PageControl1"}));
  EXPECT_EQ(pages.ActivePage(), &two);
  EXPECT_EQ(GetPropertyValue(&pages, "ActivePage"), "TabSheet2");
  EXPECT_EQ(TabCtrl_GetCurSel(pages.Handle()), 1);
  EXPECT_TRUE(IsWindowVisible(two.Handle()));
  EXPECT_FALSE(IsWindowVisible(one.Handle()));

  // a change the handler refuses leaves everything as it was
  Events().clear();
  form_->AllowTabChange = false;
  ClickTab(pages, 0);
  EXPECT_EQ(Events(), Strings{"changing PageControl1"});
  EXPECT_EQ(pages.ActivePage(), &two);
  EXPECT_EQ(TabCtrl_GetCurSel(pages.Handle()), 1);

  // from code, by name: no events
  Events().clear();
  SetPropertyValue(&pages, "ActivePage", "TabSheet1", form_);
  EXPECT_EQ(TabCtrl_GetCurSel(pages.Handle()), 0);
  EXPECT_TRUE(IsWindowVisible(one.Handle()));
  EXPECT_EQ(Events(), (Strings{"show TabSheet1", "hide TabSheet2"}));
}

TEST_F(ControlKinds, PagesFillTheDisplayAreaOnEverySideTheTabsMoveTo) {
  auto& pages = Get<TPageControl>("PageControl1");
  auto& two = Get<TTabSheet>("TabSheet2");
  const auto expectPlaced = [&](const char* position, DWORD bits) {
    SCOPED_TRACE(position);
    SetPropertyValue(&pages, "TabPosition", position);
    EXPECT_EQ(GetWindowLongW(pages.Handle(), GWL_STYLE) & (TCS_BOTTOM | TCS_VERTICAL), LONG(bits));
    RECT display = pages.DisplayRect();
    EXPECT_EQ(two.BoundsRect().left, display.left);
    EXPECT_EQ(two.BoundsRect().top, display.top);
    EXPECT_EQ(two.BoundsRect().right, display.right);
    EXPECT_EQ(two.BoundsRect().bottom, display.bottom);
    // the display area lies away from the tabs
    const RECT tab = pages.TabRect(0);
    RECT overlap{};
    EXPECT_FALSE(IntersectRect(&overlap, &tab, &display));
  };
  expectPlaced("tpBottom", TCS_BOTTOM);
  expectPlaced("tpLeft", TCS_VERTICAL);
  expectPlaced("tpRight", TCS_VERTICAL | TCS_RIGHT);
  expectPlaced("tpTop", 0);
  // a new caption is the tab's text; a page without a tab keeps only the others
  two.SetCaption("换乘");
  EXPECT_EQ(TabText(pages.Handle(), 1), "换乘");
  Get<TTabSheet>("TabSheet1").SetTabVisible(false);
  EXPECT_EQ(TabCtrl_GetItemCount(pages.Handle()), 1);
  EXPECT_EQ(TabText(pages.Handle(), 0), "换乘");
  // freeing the active page makes another one active
  pages.SetActivePage(&two);
  two.Free();
  EXPECT_EQ(pages.PageCount(), 1);
  EXPECT_EQ(pages.ActivePage(), &Get<TTabSheet>("TabSheet1"));
}

TEST_F(ControlKinds, ATabControlKeepsTabIndexAndTellsUserChangesOnly) {
  auto& tabs = Get<TTabControl>("TabControl1");
  EXPECT_EQ(TabCtrl_GetItemCount(tabs.Handle()), 3);
  EXPECT_EQ(TabText(tabs.Handle(), 2), "地铁");
  ClickTab(tabs, 2);
  EXPECT_EQ(tabs.TabIndex(), 2);
  EXPECT_EQ(Events(), (Strings{"changing TabControl1", "change TabControl1"}));
  Events().clear();
  SetPropertyValue(&tabs, "TabIndex", "1");
  EXPECT_EQ(TabCtrl_GetCurSel(tabs.Handle()), 1);
  SetPropertyValue(&tabs, "Tabs", "甲\r\n乙");
  EXPECT_EQ(TabCtrl_GetItemCount(tabs.Handle()), 2);
  EXPECT_EQ(TabText(tabs.Handle(), 0), "甲");
  EXPECT_EQ(tabs.TabIndex(), 1);
  tabs.Tabs().Delete(1);  // the current tab goes: the last one left is current
  EXPECT_EQ(tabs.TabIndex(), 0);
  EXPECT_EQ(TabCtrl_GetCurSel(tabs.Handle()), 0);
  EXPECT_TRUE(Events().empty());
}

}  // namespace
}  // namespace bus::test
