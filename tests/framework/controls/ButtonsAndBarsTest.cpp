// Bit buttons, tool bars, tab sets and header controls from a description: what they show (the
// native items, the pixels the layer paints), the user's clicks and drags through real mouse
// messages, and the events they fire (once per change, none for code).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/BitBtn.h"
#include "framework/controls/HeaderControl.h"
#include "framework/controls/ImageList.h"
#include "framework/controls/Menus.h"
#include "framework/controls/TabSet.h"
#include "framework/controls/ToolBar.h"
#include "framework/controls/ToolButton.h"
#include "tests/framework/controls/KindsTest.h"
#include "tests/support/MenuAnswerer.h"

namespace bus::test {
namespace {

using Strings = std::vector<std::string>;

// A press and a release of the left button at a point of a window's client area.
void Click(HWND h, POINT p) {
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// Whether any pixel of control's client area on the screen is of colour c.
bool ShowsColour(TControl& control, COLORREF c) {
  RedrawWindow(Application->MainForm()->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const RECT r = control.ClientRect();
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < r.right; ++x)
      if (PixelAt(control, {x, y}) == c) return true;
  return false;
}

TEST_F(ControlKinds, ABitButtonOfAKindShowsItsGlyphAndTakesEveryClick) {
  auto& ok = Get<TBitBtn>("BitBtn1");
  EXPECT_EQ(GetPropertyValue(&ok, "Kind"), "bkOK");
  EXPECT_EQ(ok.Caption(), "OK");
  EXPECT_TRUE(ok.Default());
  EXPECT_EQ(GetWindowLongW(ok.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);  // also as the default
  EXPECT_EQ(ok.NumGlyphs(), 2);
  EXPECT_EQ(ok.Glyph()->Width(), 2 * ok.Glyph()->Height());
  const COLORREF green = RGB(0, 128, 0);
  EXPECT_TRUE(ShowsColour(ok, green));
  // a caption stored with the kind stays; a glyph laid out on the right lies right of the middle
  auto& help = Get<TBitBtn>("BitBtn2");
  EXPECT_EQ(help.Caption(), "帮助");
  const COLORREF blue = RGB(0, 0, 160);
  EXPECT_TRUE(ShowsColour(help, blue));
  for (int x = 0; x < help.Width() / 2; ++x)
    for (int y = 0; y < help.Height(); ++y) ASSERT_NE(PixelAt(help, {x, y}), blue) << x << "," << y;
  // a double click is two clicks, as on any push button
  HWND h = ok.Handle();
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(Events(), (Strings{"click BitBtn1", "click BitBtn1"}));
  // disabled: the glyph's grey frame
  ok.SetEnabled(false);
  EXPECT_FALSE(ShowsColour(ok, green));
  // a glyph of one's own makes the button a custom one
  ok.Glyph()->SetSize(16, 16);
  EXPECT_EQ(GetPropertyValue(&ok, "Kind"), "bkCustom");

  // a close button closes its form
  auto* other = new TForm(Application);
  other->SetBounds(50, 50, 200, 100);
  auto* close = new TBitBtn(other);
  close->SetParent(other);
  close->SetKind(TBitBtnKind::bkClose);
  EXPECT_EQ(close->Caption(), "&Close");
  other->Show();
  SendMessageW(close->Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(other->Visible());
  other->Free();
}

TEST_F(ControlKinds, ToolButtonsAreTheBarsNativeButtonsAndClickOnce) {
  auto& bar = Get<TToolBar>("ToolBar1");
  HWND h = bar.Handle();
  ASSERT_EQ(SendMessageW(h, TB_BUTTONCOUNT, 0, 0), 4);
  EXPECT_TRUE(SendMessageW(h, TB_GETSTYLE, 0, 0) & TBSTYLE_FLAT);
  EXPECT_FALSE(SendMessageW(Get<TToolBar>("ToolBar2").Handle(), TB_GETSTYLE, 0, 0) & TBSTYLE_FLAT);
  auto& find = Get<TToolButton>("ToolButton1");
  auto& check = Get<TToolButton>("ToolButton3");
  auto& quit = Get<TToolButton>("ToolButton4");
  EXPECT_FALSE(SendMessageW(h, TB_ISBUTTONENABLED, quit.Command(), 0));
  RECT r{};
  SendMessageW(h, TB_GETITEMRECT, 2, LPARAM(&r));
  EXPECT_EQ(check.BoundsRect().left, r.left);  // the button stands over its native button
  EXPECT_EQ(check.BoundsRect().right, r.right);
  Click(h, Centre(find.BoundsRect()));
  EXPECT_EQ(Events(), Strings{"click ToolButton1"});
  Click(h, Centre(check.BoundsRect()));
  EXPECT_TRUE(check.Down());
  EXPECT_EQ(GetPropertyValue(&check, "Down"), "True");
  EXPECT_EQ(Events().back(), "click ToolButton3");
  Click(h, Centre(quit.BoundsRect()));  // disabled: nothing
  EXPECT_EQ(Events().size(), 2u);
  check.SetDown(false);
  EXPECT_FALSE(SendMessageW(h, TB_ISBUTTONCHECKED, check.Command(), 0));
  // images: the bar's image list, each button its image
  auto* images = new TImageList(form_);
  images->SetName("ImageList1");
  TBitmap strip(32, 16);
  images->AddMasked(strip, clNone);
  find.SetImageIndex(1);
  SetPropertyValue(&bar, "Images", images->Name(), form_);
  EXPECT_EQ(HIMAGELIST(SendMessageW(h, TB_GETIMAGELIST, 0, 0)), images->Handle());
  TBBUTTON native{};
  SendMessageW(h, TB_GETBUTTON, 0, LPARAM(&native));
  EXPECT_EQ(native.iBitmap, 1);
  images->Free();
  EXPECT_EQ(bar.Images(), nullptr);
  quit.SetCaption("关闭");
  quit.SetEnabled(true);
  EXPECT_TRUE(SendMessageW(h, TB_ISBUTTONENABLED, quit.Command(), 0));
  wchar_t text[32] = {};
  SendMessageW(h, TB_GETBUTTONTEXTW, quit.Command(), LPARAM(text));
  EXPECT_EQ(Narrow(text), "关闭");
}

// The handler is asked for each button the bar paints, with the platform's state flags; a button
// it draws itself (DefaultDraw cleared) shows only what it drew.
TEST_F(ControlKinds, TheCustomDrawButtonEventGetsEachButtonWithItsStateFlags) {
  auto& bar = Get<TToolBar>("ToolBar1");
  auto& find = Get<TToolButton>("ToolButton1");
  std::map<std::string, UINT> states;
  form_->DrawButton = TToolBarCustomDrawButtonEvent([&](TToolBar* sender, TToolButton* button, UINT state,
                                                        bool& defaultDraw) {
    EXPECT_EQ(sender, &bar);
    states[button->Name()] = state;
    if (button != &find) return;
    sender->Canvas().Brush().SetColor(clRed);
    RECT r = button->BoundsRect();
    sender->Canvas().FillRect(r);
    defaultDraw = false;
  });
  SendMessageW(bar.Handle(), TB_SETHOTITEM, 2, 0);
  Get<TToolButton>("ToolButton3").SetDown(true);
  RedrawWindow(bar.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  PumpFor(50);
  ASSERT_TRUE(states.count("ToolButton1") && states.count("ToolButton3") && states.count("ToolButton4"));
  EXPECT_TRUE(states["ToolButton3"] & CDIS_HOT);
  EXPECT_TRUE(states["ToolButton3"] & CDIS_CHECKED);
  EXPECT_FALSE(states["ToolButton1"] & (CDIS_HOT | CDIS_CHECKED | CDIS_DISABLED));
  EXPECT_TRUE(states["ToolButton4"] & (CDIS_DISABLED | CDIS_GRAYED));
  EXPECT_EQ(PixelAt(bar, Centre(find.BoundsRect())), RGB(255, 0, 0));
  // read by name, as the skin does
  const TPropInfo* event = FindProperty(&bar, "OnCustomDrawButton");
  ASSERT_NE(event, nullptr);
  EXPECT_TRUE(event->eventAssigned(bar));
}

TEST_F(ControlKinds, AToolBarWithAMenuHasAButtonPerTopItemThatDropsItsSubMenu) {
  auto& bar = Get<TToolBar>("ToolBar2");
  HWND h = bar.Handle();
  ASSERT_EQ(bar.ButtonCount(), 2);
  EXPECT_EQ(bar.Buttons(0)->Caption(), "文件");
  EXPECT_EQ(bar.Buttons(1)->MenuItem(), form_->FindComponent("N2"));
  EXPECT_TRUE(bar.ShowCaptions());
  Click(h, Centre(bar.Buttons(1)->BoundsRect()));  // no sub-items: the item itself
  EXPECT_EQ(Events(), Strings{"click N2"});
  {
    MenuAnswerer answer(1);  // the first item of the dropped sub-menu
    Click(h, Centre(bar.Buttons(0)->BoundsRect()));
    EXPECT_EQ(answer.MenusSeen(), 1);
  }
  EXPECT_EQ(Events().back(), "click N11");
  SetPropertyValue(&bar, "Menu", "", form_);
  EXPECT_EQ(SendMessageW(h, TB_BUTTONCOUNT, 0, 0), 0);
  SetPropertyValue(&bar, "Menu", "MainMenu1", form_);
  EXPECT_EQ(SendMessageW(h, TB_BUTTONCOUNT, 0, 0), 2);
  Get<TMainMenu>("MainMenu1").Free();
  EXPECT_EQ(bar.ButtonCount(), 0);
}

TEST_F(ControlKinds, ATabSetChangesTabOnAClickAndScrollsWhenItsTabsDoNotFit) {
  auto& tabs = Get<TTabSet>("TabSet1");
  HWND h = tabs.Handle();
  EXPECT_FALSE(tabs.ScrollButtonsShown());
  Click(h, Centre(tabs.TabRect(1)));
  EXPECT_EQ(tabs.TabIndex(), 1);
  EXPECT_EQ(Events(), Strings{"change TabSet1"});
  Click(h, Centre(tabs.TabRect(1)));  // the current tab: nothing
  EXPECT_EQ(Events().size(), 1u);
  // the current tab in SelectedColor, the others in UnselectedColor
  tabs.SetSelectedColor(clYellow);
  tabs.SetUnselectedColor(clAqua);
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  PumpFor(50);
  EXPECT_EQ(PixelAt(tabs, {tabs.TabRect(1).left + 5, 3}), RGB(255, 255, 0));
  EXPECT_EQ(PixelAt(tabs, {tabs.TabRect(0).left + 5, 3}), RGB(0, 255, 255));
  // narrower than its tabs: arrows at the right end scroll the row
  tabs.SetWidth(140);
  ASSERT_TRUE(tabs.ScrollButtonsShown());
  EXPECT_EQ(tabs.TabRect(5).right, 0);  // not shown
  const RECT client = tabs.ClientRect();
  Click(h, {client.right - tabs.EndMargin() - 4, 6});
  EXPECT_EQ(tabs.FirstIndex(), 1);
  EXPECT_EQ(tabs.TabRect(0).right, 0);
  EXPECT_EQ(tabs.TabAt(Centre(tabs.TabRect(2))), 2);
  tabs.SetTabIndex(4);
  EXPECT_EQ(GetPropertyValue(&tabs, "TabIndex"), "4");
  EXPECT_EQ(Events().size(), 1u);
}

TEST_F(ControlKinds, HeaderSectionsAreClickedAndResizedByTheMouse) {
  auto& header = Get<THeaderControl>("HeaderControl1");
  HWND h = header.Handle();
  ASSERT_EQ(Header_GetItemCount(h), 3);
  EXPECT_EQ(header.SectionRect(1).right - header.SectionRect(1).left, 60);
  Click(h, Centre(header.SectionRect(1)));
  EXPECT_EQ(Events(), Strings{"section HeaderControl1 线路数"});
  // dragging the first section's right edge 20 pixels right
  const int edge = header.SectionRect(0).right, y = header.Height() / 2;
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(edge, y));
  SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(edge + 10, y));
  SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(edge + 20, y));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(edge + 20, y));
  EXPECT_EQ(header.Sections()->Items(0)->Width(), 100);
  EXPECT_EQ(Events().back(), "resize HeaderControl1 站名 100");
  EXPECT_EQ(Events().size(), 2u);
  // from code, by name: the native section follows, no event
  SetPropertyValue(header.Sections()->Items(2), "Text", "说明");
  header.Sections()->Items(2)->SetWidth(90);
  EXPECT_EQ(header.SectionRect(2).right - header.SectionRect(2).left, 90);
  header.Sections()->Add();
  EXPECT_EQ(Header_GetItemCount(h), 4);
  EXPECT_EQ(Events().size(), 2u);
}

}  // namespace
}  // namespace bus::test
