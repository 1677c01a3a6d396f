// The widget layer's menus once their native menu is built: single items change in place, the
// handles and positions others keep stay valid, invisible items keep their sub-menus, and the
// layer's own item size is there for whoever draws the items.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/WideText.h"
#include "framework/controls/Form.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandles.h"
#include "tests/support/WindowTestSupport.h"

namespace bus {
namespace {

std::wstring NativeText(HMENU menu, int position) {
  wchar_t text[64] = {};
  GetMenuStringW(menu, UINT(position), text, 64, MF_BYPOSITION);
  return text;
}

class MenusTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { test::EnsureApplication(); }
  void SetUp() override {
    menu_ = new TPopupMenu(nullptr);
    for (const char* caption : {"显示", "-", "子菜单", "退出"}) {
      auto* item = new TMenuItem(menu_);
      item->SetCaption(caption);
      menu_->Items()->Add(item);
    }
    sub_ = menu_->Items()->Items(2);
    for (const char* caption : {"一", "二"}) {
      auto* item = new TMenuItem(menu_);
      item->SetCaption(caption);
      sub_->Add(item);
    }
  }
  void TearDown() override { menu_->Free(); }
  TMenuItem* Item(int i) const { return menu_->Items()->Items(i); }

  TPopupMenu* menu_ = nullptr;
  TMenuItem* sub_ = nullptr;
};

TEST_F(MenusTest, ItemChangesReachTheNativeMenuWithoutRebuildingIt) {
  const HMENU handle = menu_->Handle();
  const HMENU subHandle = sub_->Handle();
  ASSERT_TRUE(handle && subHandle);

  Item(0)->SetCaption("隐藏");
  Item(0)->SetShortCut(TextToShortCut("Ctrl+H"));
  Item(3)->SetEnabled(false);
  Item(3)->SetChecked(true);
  Item(3)->SetDefault(true);
  menu_->SetOwnerDraw(true);

  EXPECT_EQ(menu_->Handle(), handle) << "the native menu is the same";
  EXPECT_EQ(sub_->Handle(), subHandle);
  EXPECT_EQ(NativeText(handle, 0), L"隐藏\tCtrl+H");
  const UINT state = GetMenuState(handle, 3, MF_BYPOSITION);
  EXPECT_TRUE(state & MF_GRAYED);
  EXPECT_TRUE(state & MF_CHECKED);
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_ID;
  ASSERT_TRUE(GetMenuItemInfoW(handle, 3, TRUE, &mii));
  EXPECT_TRUE(mii.fState & MFS_DEFAULT);
  EXPECT_TRUE(mii.fType & MFT_OWNERDRAW) << "owner drawing switched in place";
  EXPECT_EQ(mii.wID, Item(3)->Command());
  ASSERT_TRUE(GetMenuItemInfoW(subHandle, 1, TRUE, &mii));
  EXPECT_TRUE(mii.fType & MFT_OWNERDRAW) << "sub-menus too";
  ASSERT_TRUE(GetMenuItemInfoW(handle, 1, TRUE, &mii));
  EXPECT_TRUE(mii.fType & MFT_SEPARATOR) << "a separator stays one";

  menu_->SetOwnerDraw(false);
  ASSERT_TRUE(GetMenuItemInfoW(handle, 2, TRUE, &mii));
  EXPECT_FALSE(mii.fType & MFT_OWNERDRAW);
  EXPECT_EQ(mii.hSubMenu, subHandle);
  EXPECT_EQ(NativeText(handle, 2), L"子菜单") << "the text survives the type change";
}

TEST_F(MenusTest, HiddenItemsKeepTheirSubMenuAndComeBackInTheirPlace) {
  const HMENU handle = menu_->Handle();
  const HMENU subHandle = sub_->Handle();

  sub_->SetVisible(false);
  Item(1)->SetVisible(false);
  EXPECT_EQ(menu_->Handle(), handle);
  ASSERT_EQ(GetMenuItemCount(handle), 2);
  EXPECT_EQ(NativeText(handle, 0), L"显示");
  EXPECT_EQ(NativeText(handle, 1), L"退出");
  EXPECT_EQ(Item(3)->NativeIndex(), 1) << "positions count the visible items only";
  // the hidden item stays addressable: its sub-menu is alive and still holds its items
  EXPECT_EQ(sub_->Handle(), subHandle);
  EXPECT_TRUE(IsMenu(subHandle));
  EXPECT_EQ(GetMenuItemCount(subHandle), 2);
  EXPECT_EQ(TMenuItem::FindCommand(sub_->Command()), sub_);

  sub_->SetVisible(true);
  ASSERT_EQ(GetMenuItemCount(handle), 3);
  EXPECT_EQ(NativeText(handle, 1), L"子菜单") << "shown again where it was, after the hidden separator";
  EXPECT_EQ(GetSubMenu(handle, 1), subHandle);
  Item(1)->SetVisible(true);
  EXPECT_EQ(GetMenuItemCount(handle), 4);
  EXPECT_EQ(GetSubMenu(handle, 2), subHandle);
}

TEST_F(MenusTest, ANewMenuOrARemovedItemLeavesNoSubMenuBehind) {
  // a sub-menu that no menu holds is the layer's to destroy: with its item removed, or the whole
  // menu built anew
  menu_->Handle();
  sub_->SetVisible(false);
  const HMENU hidden = sub_->Handle();
  menu_->Items()->Remove(sub_);
  EXPECT_FALSE(IsMenu(hidden));
  EXPECT_EQ(sub_->Handle(), nullptr);
  menu_->Items()->Add(sub_);
  const HMENU again = menu_->Handle();
  const HMENU rebuilt = sub_->Handle();
  ASSERT_TRUE(rebuilt);
  EXPECT_EQ(GetMenuItemCount(again), 3) << "the invisible item is not in the menu";
  menu_->Items()->Remove(Item(0));
  EXPECT_FALSE(IsMenu(rebuilt)) << "an invisible item's sub-menu goes with the rebuilt menu";
}

TEST_F(MenusTest, TheLayersOwnSizeComesFirstAndTheMeasureEventAdjustsIt) {
  MemoryDC dc;
  TCanvas canvas(dc.Get());
  canvas.SetFont(Screen().MenuFont());
  int plainWidth = 0, plainHeight = 0;
  Item(0)->MeasureItem(canvas, plainWidth, plainHeight);
  EXPECT_GT(plainWidth, canvas.TextWidth("显示"));
  EXPECT_GE(plainHeight, GetSystemMetrics(SM_CYMENU));
  int separatorWidth = 0, separatorHeight = 0;
  Item(1)->MeasureItem(canvas, separatorWidth, separatorHeight);
  EXPECT_LT(separatorHeight, plainHeight);

  Item(0)->SetShortCut(TextToShortCut("Ctrl+H"));
  int width = 0, height = 0;
  Item(0)->MeasureItem(canvas, width, height);
  EXPECT_GT(width, plainWidth) << "room for the shortcut";
  Item(0)->OnMeasureItem = TMenuMeasureItemEvent([&](TObject*, TCanvas*, int& w, int& h) {
    EXPECT_EQ(w, width) << "the event sees the layer's size";
    w += 35;
    h = 30;
  });
  int adjusted = 0;
  Item(0)->MeasureItem(canvas, adjusted, height);
  EXPECT_EQ(adjusted, width + 35);
  EXPECT_EQ(height, 30);
  canvas.SetHandle(nullptr);
}


TEST(MainMenuTest, OnlyTheBarsOwnItemsTellTheFormAndItKeepsItsMenu) {
  test::EnsureApplication();
  auto* form = new TForm(nullptr);
  auto* bar = new TMainMenu(form);
  auto* file = new TMenuItem(form);
  file->SetCaption("文件");
  bar->Items()->Add(file);
  auto* open = new TMenuItem(form);
  open->SetCaption("打开");
  file->Add(open);
  form->SetMenu(bar);
  const HWND window = form->Handle();
  const HMENU menu = GetMenu(window);
  ASSERT_EQ(menu, bar->Handle());
  {
    test::TMessageRecorder told(*form, {CM_MENUCHANGED});
    open->SetVisible(false);  // as a drop-down about to open has its separators tidied
    open->SetCaption("关闭");
    EXPECT_EQ(told.Count(CM_MENUCHANGED), 0) << "a drop-down's item is not on the bar";
    file->SetCaption("文件(&F)");
    EXPECT_EQ(told.Count(CM_MENUCHANGED), 1);
  }
  EXPECT_EQ(GetMenu(window), menu) << "the same menu, changed in place";
  EXPECT_EQ(NativeText(menu, 0), L"文件(&F)");
  form->Free();
}

}  // namespace
}  // namespace bus
