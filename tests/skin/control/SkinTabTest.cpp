// The tab wrappers under Wine with our default skin: tab controls with their tabs along each side
// (the strip drawn lying and turned for the sides, texts included, the page framed by the border
// image), tabs that overflow keeping their scroll arrows, a page control whose tabs still change
// the page; tab sets whose tabs hang from the skin's image turned over and still click, with their
// own scroll arrows left as they are. Pixels are read back from the screen.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/controls/PageControl.h"
#include "framework/controls/TabControl.h"
#include "framework/controls/TabSet.h"
#include "framework/controls/TabSheet.h"
#include "skin/control/SkinDrawing.h"
#include "skin/control/SkinTab.h"
#include "skin/control/SkinTab31.h"
#include "skin/control/SkinUpDown.h"
#include "skin/data/BitmapFilters.h"
#include "skin/data/SkinData.h"
#include "tests/skin/control/WrapperFixture.h"
#include "tests/support/SkinWindowsSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

namespace bus {
namespace {

using test::Rgb;
using test::Screen;

class SkinTabTest : public test::SkinnedFormTest {
protected:
  TSkinTab* Attach(HWND window, TComponent* owner) {
    auto* wrapper = new TSkinTab(owner);
    wrapper->AttachWindow(window, skin_.get(), &host_, &canvas_);
    test::PumpPending();
    return wrapper;
  }
  // Tab i's rectangle as the control reports it.
  static RECT ItemRect(HWND tabs, int i) {
    RECT r{};
    SendMessageW(tabs, TCM_GETITEMRECT, WPARAM(i), LPARAM(&r));
    return r;
  }
  // A tab of w × h lying (as along the top), frame `frame` of the wrapper's tab image over the face.
  BmpImage LyingTab(const TSkinTab& wrapper, int w, int h, int frame) const {
    const TDataSkinBorder& tabs = *skin_->Tabs();
    return test::OverFace(*skin_, w, h, [&](HDC dc) {
      DrawSkinImage(dc, {0, 0, w, h}, wrapper.TabImage(), false, tabs.Tile() == 1, tabs.Trans() == 1, tabs.Frame(),
                    frame, tabs.Margins());
    });
  }
};

// Where each tab lands on the screen for a side, from its item rectangle: along the top one pixel
// down, along the bottom one up, on the right one up (the strip is drawn lying and turned).
RECT Drawn(const RECT& item, TTabPosition side) {
  RECT r = item;
  if (side == TTabPosition::tpTop) OffsetRect(&r, 0, 1);
  else if (side == TTabPosition::tpBottom || side == TTabPosition::tpRight) OffsetRect(&r, 0, -1);
  return r;
}

TEST_F(SkinTabTest, TabsAlongEachSideAreDrawnFromTheSkinWithTheirTextsTurnedAndThePageFramed) {
  ASSERT_NE(skin_->Tabs(), nullptr);
  const TTabPosition sides[] = {TTabPosition::tpTop, TTabPosition::tpBottom, TTabPosition::tpLeft,
                                TTabPosition::tpRight};
  for (const TTabPosition side : sides) {
    SCOPED_TRACE(int(side));
    auto* control = Place(new TTabControl(form_), 10, 10, 320, 220);
    control->SetTabPosition(side);
    for (const char* text : {"线路", "站点", "换乘"}) control->Tabs().Add(text);
    control->SetTabIndex(1);
    TSkinTab* wrapper = Attach(control->Handle(), control);
    const bool sideways = side == TTabPosition::tpLeft || side == TTabPosition::tpRight;
    ASSERT_FALSE(wrapper->TabImage().Empty());
    const BmpImage shot = Screen(control->Handle());
    // the page's frame: the display area grown by 4; the strip: what lies outside it on the tabs' side
    RECT page{0, 0, shot.width, shot.height};
    SendMessageW(control->Handle(), TCM_ADJUSTRECT, FALSE, LPARAM(&page));
    InflateRect(&page, 4, 4);
    RECT strip{0, 0, shot.width, shot.height};
    switch (side) {
      case TTabPosition::tpTop: strip.bottom = page.top + 1; break;
      case TTabPosition::tpBottom: strip.top = page.bottom - 1; break;
      case TTabPosition::tpLeft: strip.right = page.left + 1; break;
      case TTabPosition::tpRight: strip.left = page.right - 1; break;
    }
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(i);
      const RECT item = Drawn(ItemRect(control->Handle(), i), side);
      const int along = sideways ? item.bottom - item.top : item.right - item.left;
      const int across = sideways ? item.right - item.left : item.bottom - item.top;
      BmpImage tab = LyingTab(*wrapper, along, across, i == 1 ? 2 : 1);
      // (along the bottom the wrapper's tab image is flipped already)
      if (side == TTabPosition::tpLeft) RotateLeft(tab);
      if (side == TTabPosition::tpRight) RotateRight(tab);
      // the tab's first two pixels along the strip: its edge, where no text lies
      RECT edge = sideways ? RECT{item.left, item.top, item.right, item.top + 2}
                           : RECT{item.left, item.top, item.left + 2, item.bottom};
      IntersectRect(&edge, &edge, &strip);
      EXPECT_EQ(test::Difference(shot, edge, tab, {edge.left - item.left, edge.top - item.top}), "");
      // the text, in the selected tab's colour or the others', turned with the strip
      const test::Extent ink = test::InkExtent(shot, item, test::ColoursOf(tab));
      ASSERT_TRUE(ink.found);
      if (sideways) EXPECT_GT(ink.bottom - ink.top, ink.right - ink.left) << "the text stands";
      else EXPECT_GT(ink.right - ink.left, ink.bottom - ink.top) << "the text lies";
    }
    // the page's frame: the border image's side across from the tabs
    const int pw = page.right - page.left, ph = page.bottom - page.top;
    const BmpImage frame = test::OverFace(*skin_, pw, ph, [&](HDC dc) {
      DrawSkinBorder(dc, {0, 0, pw, ph}, wrapper->BorderImage(), false, 1, 1, {4, 5, 4, 4});
    });
    RECT opposite{};  // three pixels deep on the side away from the tabs, away from the corners
    switch (side) {
      case TTabPosition::tpTop: opposite = {page.left + 10, page.bottom - 3, page.right - 10, page.bottom}; break;
      case TTabPosition::tpBottom: opposite = {page.left + 10, page.top, page.right - 10, page.top + 3}; break;
      case TTabPosition::tpLeft: opposite = {page.right - 3, page.top + 10, page.right, page.bottom - 10}; break;
      case TTabPosition::tpRight: opposite = {page.left, page.top + 10, page.left + 3, page.bottom - 10}; break;
    }
    EXPECT_EQ(test::Difference(shot, opposite, frame, {opposite.left - page.left, opposite.top - page.top}), "");
    control->Free();
  }
}

TEST_F(SkinTabTest, AClickOnATabStillChangesThePage) {
  auto* pages = Place(new TPageControl(form_), 10, 10, 300, 200);
  for (const char* caption : {"直达", "换乘"}) {
    auto* sheet = new TTabSheet(pages);
    sheet->SetPageControl(pages);
    sheet->SetCaption(caption);
  }
  pages->SetActivePageIndex(0);
  int changes = 0;
  pages->OnChange = TNotifyEvent([&](TObject*) { ++changes; });
  Attach(pages->Handle(), pages);
  const RECT second = ItemRect(pages->Handle(), 1);
  const int x = (second.left + second.right) / 2, y = (second.top + second.bottom) / 2;
  SendMessageW(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(pages->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  test::PumpPending();
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  EXPECT_EQ(changes, 1);
}

TEST_F(SkinTabTest, OverflowingTabsKeepTheirScrollArrowsVisible) {
  // a bare tab control without WS_CLIPCHILDREN: only the wrapper keeps its picture off the arrows
  const HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, nullptr, WS_CHILD | WS_VISIBLE, 10, 10, 160, 100,
                                    form_->Handle(), nullptr, nullptr, nullptr);
  SendMessageW(tabs, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  for (int i = 0; i < 8; ++i) {
    std::wstring text = L"第" + std::to_wstring(i + 1) + L"站";
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(tabs, TCM_INSERTITEMW, WPARAM(i), LPARAM(&item));
  }
  TSkinTab* wrapper = Attach(tabs, nullptr);
  const HWND spin = FindWindowExW(tabs, nullptr, UPDOWN_CLASSW, nullptr);
  ASSERT_NE(spin, nullptr);
  ASSERT_TRUE(IsWindowVisible(spin));
  EXPECT_NE(wrapper->SpinButton(), nullptr);
  EXPECT_EQ(wrapper->SpinButton()->Handle(), spin);
  RedrawWindow(tabs, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  test::PumpPending();
  const BmpImage arrows = Screen(spin);
  // the tab control alone paints again: the arrows stay as they are
  RedrawWindow(tabs, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
  test::PumpPending();
  EXPECT_EQ(test::Difference(Screen(spin), {0, 0, arrows.width, arrows.height}, arrows), "");
  EXPECT_GT(test::ColoursOf(arrows).size(), 1u) << "the arrows show something";
  DestroyWindow(tabs);
}

TEST_F(SkinTabTest, ANewSkinReachesTheTabs) {
  TSkinData skin(nullptr);
  skin.StoredSkin().LoadFromFile(test::BinaryDir() / "bussearch.skn");
  ASSERT_TRUE(skin.LoadSkin());
  auto* control = Place(new TTabControl(form_), 10, 10, 300, 150);
  control->SetTabPosition(TTabPosition::tpBottom);
  for (const char* text : {"线路", "站点"}) control->Tabs().Add(text);
  auto* wrapper = new TSkinTab(control);
  wrapper->AttachWindow(control->Handle(), &skin, &host_, &canvas_);
  test::PumpPending();
  const BmpImage before = Screen(control->Handle());

  skin.StoredSkin().Clear();
  skin.StoredSkin().LoadFromFile(test::BinaryDir() / "night.skn");
  ASSERT_TRUE(skin.LoadSkin());
  wrapper->SkinChanged();
  test::PumpPending();
  // the wrapper's tab image is the night skin's, turned over for tabs along the bottom
  BmpImage night = skin.Tabs()->Image().ToImage();
  FlipVertical(night);
  EXPECT_EQ(test::Difference(wrapper->TabImage().ToImage(), {0, 0, night.width, night.height}, night), "");
  const BmpImage after = Screen(control->Handle());
  const RECT item = ItemRect(control->Handle(), 1);
  const POINT inside{(item.left + item.right) / 2, item.bottom - 3};
  EXPECT_NE(after.Pixel(inside.x, inside.y) & 0xFFFFFF, before.Pixel(inside.x, inside.y) & 0xFFFFFF);
}

// --- tab sets -------------------------------------------------------------------------------

TEST_F(SkinTabTest, TabSetTabsHangFromTheSkinsImageAndStillClick) {
  auto* set = Place(new TTabSet(form_), 10, 10, 300, 22);
  for (const char* text : {"线路", "站点", "换乘"}) set->Tabs().Add(text);
  set->SetTabIndex(0);
  int changes = 0;
  set->OnChange = TNotifyEvent([&](TObject*) { ++changes; });
  auto* wrapper = new TSkinTab31(set);
  wrapper->AttachControl(&host_, skin_.get(), false, &canvas_);
  test::PumpPending();
  ASSERT_FALSE(wrapper->TabImage().Empty());
  const BmpImage shot = Screen(set->Handle());
  const TDataSkinBorder& image = *skin_->Tabs();
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const RECT r = set->TabRect(i);
    const int w = r.right - r.left, h = shot.height;
    const BmpImage tab = test::OverFace(*skin_, w, h, [&](HDC dc) {
      DrawSkinImage(dc, {0, 0, w, h}, wrapper->TabImage(), false, image.Tile() == 1, image.Trans() == 1, image.Frame(),
                    i == 0 ? 2 : 1, image.Margins());
    });
    EXPECT_EQ(test::Difference(shot, {r.left, 0, r.left + 2, h}, tab), "");
  }
  EXPECT_EQ(shot.Pixel(shot.width - 2, shot.height / 2) & 0xFFFFFF, Rgb(skin_->ButtonFace())) << "after the tabs";

  const RECT second = set->TabRect(1);
  const int x = (second.left + second.right) / 2;
  SendMessageW(set->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 8));
  SendMessageW(set->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, 8));
  test::PumpPending();
  EXPECT_EQ(set->TabIndex(), 1);
  EXPECT_EQ(changes, 1);
}

TEST_F(SkinTabTest, ATabSetsScrollArrowsStayItsOwn) {
  auto* plain = Place(new TTabSet(form_), 10, 10, 120, 22);
  auto* skinned = Place(new TTabSet(form_), 10, 50, 120, 22);
  for (TTabSet* set : {plain, skinned})
    for (int i = 0; i < 8; ++i) set->Tabs().Add("第" + std::to_string(i + 1) + "站");
  ASSERT_TRUE(skinned->ScrollButtonsShown());
  (new TSkinTab31(skinned))->AttachControl(&host_, skin_.get(), false, &canvas_);
  test::PumpPending();
  const RECT arrows = skinned->ScrollButtonsRect();
  ASSERT_FALSE(IsRectEmpty(&arrows));
  EXPECT_EQ(test::Difference(Screen(skinned->Handle()), arrows, Screen(plain->Handle()), {arrows.left, arrows.top}), "");
}

}  // namespace
}  // namespace bus
