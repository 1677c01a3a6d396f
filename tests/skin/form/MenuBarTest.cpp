// The skinned menu bar of a form with a main menu: no native bar left, the skin's bar painted under
// the caption, and its menu loop driven as a person would drive it (keys posted into the open menu
// from a timer the menu's own loop runs, the mouse moved over the bar).
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/ScopeExit.h"
#include "framework/controls/Application.h"
#include "framework/controls/Menus.h"
#include "skin/form/SkinMenuBar.h"
#include "tests/skin/form/MenuForms.h"
#include "tests/skin/form/SkinFrameSupport.h"
#include "tests/support/MenuAnswerer.h"
#include "tests/support/WindowPicture.h"

namespace bus {
namespace {

using test::CountColour;
using test::ImagePixel;
using test::Rgb;
using test::kMenuForm;
using test::OpenMenus;


// Steps run one after another from a timer, which the menu's own loop keeps running: each waits
// until its condition holds, then acts. A script still running after five seconds ends the menu.
class MenuScript {
public:
  struct Step {
    std::function<bool()> ready;  // the step may act
    std::function<void()> act;    // what it does
  };
  explicit MenuScript(std::vector<Step> steps) : steps_(std::move(steps)), timer_(20, [this] { Tick(); }) {}
  bool Done() const noexcept { return next_ == steps_.size(); }

private:
  void Tick() {
    if (Done()) return;
    if (++ticks_ > 250) {
      EndMenu();
      return;
    }
    if (!steps_[next_].ready()) return;
    steps_[next_++].act();
  }

  std::vector<Step> steps_;  // the script
  std::size_t next_ = 0;     // the step waiting
  int ticks_ = 0;            // ticks so far
  test::ThreadTimer timer_;  // made last, gone first
};

// Posts a key press to the newest open menu.
void PressInMenu(WPARAM key) {
  const std::vector<HWND> menus = OpenMenus();
  if (!menus.empty()) PostMessageW(menus.front(), WM_KEYDOWN, key, 0);
}

class MenuBar : public test::SkinFrameFixture {
protected:
  void SetUp() override {
    SkinFrameFixture::SetUp();
    // the cursor away from the window: a bar item under it would count as the mouse moving there
    test::MoveCursor({900, 700});
  }
  TSkinForm* AdoptMenuForm() {
    form_ = new TForm(Application);
    form_->Build(kMenuForm);
    return Adopt();
  }
  TMenuItem* Item(const char* name) const { return static_cast<TMenuItem*>(form_->FindComponent(name)); }
  // Opens bar item index as a press on it would, runs the script, and waits until the menu loop
  // has ended; answers the bar items whose menus opened, in order.
  std::vector<int> Track(TSkinForm& object, const std::function<void()>& open, std::vector<MenuScript::Step> steps) {
    std::vector<int> opened;
    std::vector<MenuScript::Step> all;
    all.push_back({[] { return !OpenMenus().empty(); }, [&] { opened.push_back(MenuTracking().activeIndex); }});
    for (auto& step : steps) all.push_back(std::move(step));
    MenuScript script(std::move(all));
    open();
    EXPECT_TRUE(test::PumpUntil([&] { return script.Done(); }, test::kSkinWait));
    EXPECT_TRUE(test::PumpUntil([&] { return OpenMenus().empty() && !object.TrackingMenu(); }, test::kSkinWait));
    test::PumpPending();
    return opened;
  }
  // A step that waits for the menu of bar item index, records it, and acts.
  static MenuScript::Step WhenOpen(int index, std::vector<int>& opened, std::function<void()> act) {
    return {[index] { return MenuTracking().activeIndex == index && !OpenMenus().empty(); },
            [&opened, index, act = std::move(act)] {
              opened.push_back(index);
              act();
            }};
  }
};

TEST_F(MenuBar, TheSkinsBarTakesThePlaceOfTheNativeOneAndGivesItBackWhenSkinningEnds) {
  form_ = new TForm(Application);
  form_->Build(kMenuForm);
  RECT before{};
  GetClientRect(form_->Handle(), &before);
  ASSERT_EQ(GetMenu(form_->Handle()), form_->Menu()->Handle());
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  test::PumpPending();

  EXPECT_EQ(GetMenu(form_->Handle()), nullptr) << "no native menu bar";
  ASSERT_NE(object->MenuBar(), nullptr);
  const TSkinMenuBar& bar = *object->MenuBar();
  ASSERT_EQ(bar.Count(), 3);
  EXPECT_EQ(object->MenuHeight(), GetSystemMetrics(SM_CYMENU));
  // the client area lies under the bar and keeps its size
  POINT origin{0, 0};
  ClientToScreen(form_->Handle(), &origin);
  const RECT window = WindowRect();
  EXPECT_EQ(origin.y - window.top, object->FrameTop() + object->MenuHeight());
  const RECT client = ClientRect();
  EXPECT_TRUE(EqualRect(&client, &before));
  // the items side by side in the bar's strip, their captions in the skin's bar text colour
  const BmpImage picture = test::WindowImage(form_->Handle());
  int right = 0;
  for (int i = 0; i < bar.Count(); ++i) {
    const RECT r = bar.Items(i)->Rect();
    EXPECT_GE(r.left, right) << i;
    EXPECT_GE(r.top, object->FrameTop());
    EXPECT_LE(r.bottom, object->FrameTop() + object->MenuHeight());
    EXPECT_GT(CountColour(picture, r, test::ColorRef(ColorToRGB(skin_.MenuBarText()))), 5) << "caption of item " << i;
    right = r.right;
  }
  const TDataSkinObject* skinBar = skin_.MenuBar();
  ASSERT_NE(skinBar, nullptr);
  const std::uint32_t barColour = ImagePixel(skinBar->Image(), skinBar->Image().Width() / 2, 2);
  EXPECT_EQ(Rgb(picture, right + 20, object->FrameTop() + object->MenuHeight() / 2), barColour) << "the bar's picture";

  // hot under the mouse: framed in the skin's highlight colour
  const RECT first = bar.Items(0)->Rect();
  test::PostNcMouse(form_->Handle(), WM_NCMOUSEMOVE, {window.left + first.left + 3, window.top + first.top + 3});
  ASSERT_TRUE(test::PumpUntil([&] { return bar.Items(0)->State() == kNCHot; }));
  EXPECT_EQ(Rgb(test::WindowImage(form_->Handle()), first.left, (first.top + first.bottom) / 2),
            test::ColorRef(ColorToRGB(skin_.ButtonHilight())));

  // the skin read again: the bar stays, and the client area keeps its place and size under it
  RunCommand(kSkinRefresh);
  test::PumpPending();
  EXPECT_EQ(GetMenu(form_->Handle()), nullptr);
  EXPECT_EQ(object->MenuBar()->Count(), 3);
  POINT again{0, 0};
  ClientToScreen(form_->Handle(), &again);
  EXPECT_EQ(again.y - WindowRect().top, object->FrameTop() + object->MenuHeight());
  const RECT refreshed = ClientRect();
  EXPECT_TRUE(EqualRect(&refreshed, &before));

  SwitchOff();
  EXPECT_EQ(GetMenu(form_->Handle()), form_->Menu()->Handle()) << "the native menu back";
  RECT after{};
  GetClientRect(form_->Handle(), &after);
  EXPECT_TRUE(EqualRect(&after, &before));
}

TEST_F(MenuBar, AltAloneAndF10OpenTheFirstItemAndAltWithALetterOpensItsItem) {
  TSkinForm* object = AdoptMenuForm();
  ASSERT_NE(object, nullptr);
  test::PumpPending();
  const HWND h = form_->Handle();
  constexpr LPARAM kAltDown = LPARAM(1) << 29;
  const auto escape = [] { PressInMenu(VK_ESCAPE); };
  std::vector<int> opened;

  // Alt opens, and Alt closes again
  opened = Track(*object, [&] {
    PostMessageW(h, WM_SYSKEYDOWN, VK_MENU, kAltDown);
    PostMessageW(h, WM_SYSKEYUP, VK_MENU, LPARAM(0xC0000001));
  }, {{[] { return true; }, [&] {
         const std::vector<HWND> menus = OpenMenus();
         if (!menus.empty()) PostMessageW(menus.front(), WM_SYSKEYDOWN, VK_MENU, kAltDown);
         PostMessageW(h, WM_SYSKEYUP, VK_MENU, LPARAM(0xC0000001));
       }}});
  EXPECT_EQ(opened, std::vector<int>{0}) << "Alt";
  {
    // a menu opened again by the closing Alt would be open within this time
    test::MenuAnswerer watch(-1);
    test::PumpFor(400);
    EXPECT_EQ(watch.MenusSeen(), 0) << "the Alt that closed the menu opened nothing";
  }

  opened = Track(*object, [&] {
    PostMessageW(h, WM_SYSKEYDOWN, VK_F10, 0);
    PostMessageW(h, WM_SYSKEYUP, VK_F10, LPARAM(0xC0000001));
  }, {{[] { return true; }, escape}});
  EXPECT_EQ(opened, std::vector<int>{0}) << "F10";

  // Alt held with E: the dialog character of the focused window reaches the form
  {
    const test::AltHeld alt;
    opened = Track(*object, [&] { PostMessageW(h, WM_SYSCHAR, 'e', kAltDown); }, {{[] { return true; }, escape}});
  }
  EXPECT_EQ(opened, std::vector<int>{1}) << "Alt+E";
  EXPECT_EQ(GetMenu(h), nullptr) << "the platform's menu mode never took the bar";
}

TEST_F(MenuBar, ArrowKeysMoveBetweenItemsWrappingAtTheEndsAndTheMouseMovesFromItemToItem) {
  TSkinForm* object = AdoptMenuForm();
  ASSERT_NE(object, nullptr);
  test::PumpPending();
  TSkinMenuBar& bar = *object->MenuBar();
  RECT window = WindowRect();
  const RECT second = bar.Items(1)->Rect();
  const POINT overSecond{window.left + (second.left + second.right) / 2, window.top + (second.top + second.bottom) / 2};
  std::vector<int> seen;
  const std::vector<int> opened = Track(*object, [&] { object->PostMenuClick(*bar.Items(2)); },
                                        {WhenOpen(2, seen, [] { PressInMenu(VK_RIGHT); }),
                                         WhenOpen(0, seen, [] { PressInMenu(VK_LEFT); }),
                                         WhenOpen(2, seen,
                                                  [overSecond] {
                                                    SetCursorPos(overSecond.x, overSecond.y);
                                                    const std::vector<HWND> menus = OpenMenus();
                                                    if (!menus.empty()) PostMessageW(menus.front(), WM_MOUSEMOVE, 0, 0);
                                                  }),
                                         WhenOpen(1, seen, [] { PressInMenu(VK_ESCAPE); })});
  EXPECT_EQ(opened, std::vector<int>{2});
  EXPECT_EQ(seen, (std::vector<int>{2, 0, 2, 1})) << "Right at the last wraps to the first, Left at the first to the last";
  EXPECT_EQ(MenuTracking().activeIndex, -1);
  EXPECT_EQ(MenuTracking().menuFilterHook, nullptr) << "the filter is there only while a menu is tracked";
  // an item the bar does not show is passed over: Right from Edit goes round to File
  Item("ViewMenu")->SetVisible(false);
  test::PumpPending();
  seen.clear();
  Track(*object, [&] { object->PostMenuClick(*object->MenuBar()->Items(1)); },
        {WhenOpen(1, seen, [] { PressInMenu(VK_RIGHT); }), WhenOpen(0, seen, [] { PressInMenu(VK_ESCAPE); })});
  EXPECT_EQ(seen, (std::vector<int>{1, 0}));
}

TEST_F(MenuBar, ARightToLeftBarRunsFromTheRightAndItsArrowKeysTheOtherWay) {
  form_ = new TForm(Application);
  form_->Build(kMenuForm);
  const HWND h = form_->Handle();
  SetWindowLongPtrW(h, GWL_EXSTYLE, GetWindowLongPtrW(h, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  test::PumpPending();
  ASSERT_TRUE(object->RightToLeft());
  const TSkinMenuBar& bar = *object->MenuBar();
  EXPECT_GT(bar.Items(0)->Rect().left, bar.Items(1)->Rect().left);
  EXPECT_GT(bar.Items(1)->Rect().left, bar.Items(2)->Rect().left);
  // Left, in a right-to-left menu, goes on to the next item (which lies to the left)
  std::vector<int> seen;
  Track(*object, [&] { object->PostMenuClick(*bar.Items(0)); },
        {{[&] { return MenuTracking().currentMenuItem == Item("FileOpen"); }, [] { PressInMenu(VK_LEFT); }},
         WhenOpen(1, seen, [] { PressInMenu(VK_ESCAPE); })});
  EXPECT_EQ(seen, std::vector<int>{1});
}

TEST_F(MenuBar, EscapeClosesTheOpenMenusOneByOne) {
  TSkinForm* object = AdoptMenuForm();
  ASSERT_NE(object, nullptr);
  test::PumpPending();
  TMenuItem* recent = Item("FileRecent");
  bool trackingWithOneLeft = false;
  Track(*object, [&] { object->PostMenuClick(*object->MenuBar()->Items(0)); },
        {{[&] { return MenuTracking().currentMenuItem == Item("FileOpen"); }, [] { PressInMenu(VK_DOWN); }},
         {[&] { return MenuTracking().currentMenuItem == recent; }, [] { PressInMenu(VK_RIGHT); }},
         {[] { return OpenMenus().size() == 2; }, [] { PressInMenu(VK_ESCAPE); }},
         {[] { return OpenMenus().size() == 1; },
          [&] {
            trackingWithOneLeft = object->TrackingMenu();
            PressInMenu(VK_ESCAPE);
          }}});
  EXPECT_TRUE(trackingWithOneLeft) << "the first Escape closed only the sub-menu";
}

TEST_F(MenuBar, HiddenItemsLeaveNoStraySeparatorsAndTheMenuStillOpensAndClicks) {
  TSkinForm* object = AdoptMenuForm();
  ASSERT_NE(object, nullptr);
  test::PumpPending();
  int editClicks = 0, cuts = 0;
  Item("EditMenu")->OnClick = TNotifyEvent([&](TObject*) { ++editClicks; });
  Item("EditCut")->OnClick = TNotifyEvent([&](TObject*) { ++cuts; });
  const auto open = [&] { object->PostMenuClick(*object->MenuBar()->Items(1)); };
  HMENU shown = nullptr;
  Track(*object, open, {{[] { return true; }, [&] {
                           shown = object->TrackedSubMenu();
                           PressInMenu(VK_ESCAPE);
                         }}});
  // a separator never leads, ends or doubles: of Sep1 and Sep2 (only the hidden item between) one shows
  EXPECT_FALSE(Item("Sep0")->Visible());
  EXPECT_FALSE(Item("Sep1")->Visible());
  EXPECT_TRUE(Item("Sep2")->Visible());
  EXPECT_FALSE(Item("Sep3")->Visible());
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(GetMenuItemCount(shown), 3) << "Cut, a separator, Paste";
  // opened again, the menu made anew still drops down, and its first item is chosen with Enter
  Track(*object, open, {{[&] { return MenuTracking().currentMenuItem == Item("EditCut"); }, [] { PressInMenu(VK_RETURN); }}});
  test::PumpPending();
  EXPECT_EQ(editClicks, 2) << "each press on the bar item runs the item's own click";
  EXPECT_EQ(cuts, 1);
  // a hidden item showing again brings its separator back
  Item("Sep3")->SetVisible(true);
  Item("EditHidden")->SetVisible(true);
  TidySeparators(Item("EditMenu"));
  EXPECT_FALSE(Item("Sep1")->Visible());
  EXPECT_TRUE(Item("Sep2")->Visible());
  EXPECT_FALSE(Item("Sep3")->Visible());
}

TEST_F(MenuBar, TheBarFollowsAChangedMenuAndThePlatformNeverGetsItsBarBack) {
  TSkinForm* object = AdoptMenuForm();
  ASSERT_NE(object, nullptr);
  test::PumpPending();
  const HWND h = form_->Handle();
  const auto addItem = [&](const char* caption) {
    auto* item = new TMenuItem(form_);
    item->SetCaption(caption);
    form_->Menu()->Items()->Add(item);
    test::PumpPending();
  };
  addItem("&Help");
  ASSERT_EQ(object->MenuBar()->Count(), 4);
  EXPECT_EQ(object->MenuBar()->Items(3)->Caption(), L"&Help");
  EXPECT_EQ(GetMenu(h), nullptr);
  // merged: read from the window's native menu
  skin_.SetMenuMerge(true);
  addItem("&Tools");
  ASSERT_EQ(object->MenuBar()->Count(), 5);
  EXPECT_EQ(object->MenuBar()->Items(4)->Caption(), L"&Tools");
  EXPECT_EQ(object->MenuBar()->Items(4)->MenuItem(), nullptr) << "an item with text of its own";
  EXPECT_EQ(GetMenu(h), nullptr);
  // a skin that does not follow menu changes keeps its items, and still no native bar comes back
  skin_.SetMenuMerge(false);
  skin_.SetMenuUpdate(false);
  addItem("&Extra");
  EXPECT_EQ(object->MenuBar()->Count(), 5);
  EXPECT_EQ(GetMenu(h), nullptr);
  EXPECT_EQ(object->MenuBar()->MenuHandle(), form_->Menu()->Handle()) << "the menu given back at the end";
}

TEST_F(MenuBar, AWindowOfOtherCodeGetsItsBarFromItsNativeMenuAndItBack) {
  HMENU menu = CreateMenu();
  HMENU drop = CreatePopupMenu();
  AppendMenuW(drop, MF_STRING, 101, L"&First");
  AppendMenuW(menu, MF_POPUP, UINT_PTR(drop), L"&Go");
  const HWND h = CreateWindowExW(0, L"STATIC", L"bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                                 menu, nullptr, nullptr);
  ASSERT_NE(h, nullptr);
  const ScopeExit destroy([h] { DestroyWindow(h); });
  SetForegroundWindow(h);
  manager_->SkinWindow(h);
  TSkinForm* object = nullptr;
  ASSERT_TRUE(test::PumpUntil([&] { return (object = manager_->FindSkinForm(h)) && object->ChildrenSkinned(); }, test::kSkinWait));
  test::PumpPending();
  ASSERT_NE(object->MenuBar(), nullptr);
  ASSERT_EQ(object->MenuBar()->Count(), 1);
  EXPECT_EQ(object->MenuBar()->Items(0)->Caption(), L"&Go");
  EXPECT_EQ(object->MenuBar()->Items(0)->SubMenu(), drop);
  EXPECT_EQ(GetMenu(h), nullptr);
  const std::vector<int> opened =
      Track(*object, [&] { object->PostMenuClick(*object->MenuBar()->Items(0)); }, {{[] { return true; }, [] { PressInMenu(VK_ESCAPE); }}});
  EXPECT_EQ(opened, std::vector<int>{0});
  SwitchOff();
  EXPECT_EQ(GetMenu(h), menu);
}

}  // namespace
}  // namespace bus
