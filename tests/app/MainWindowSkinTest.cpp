// The skin engine over the whole program: another skin file loaded while the main window, its
// transfer question, the tray menu or the system popup is open re-skins each of them; switching
// skinning off gives every window, control and menu back as it was; many rounds of switching leave
// nothing behind. What is checked is what the screen shows (pixels of the skins' own pictures) and
// what the windows and menus are made of (procedures, styles, menu handles and item types).
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/controls/Menus.h"
#include "framework/controls/Timer.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/SkinControl.h"
#include "skin/control/SkinScrollbar.h"
#include "skin/control/WScrollbar.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"
#include "tests/app/MainWindowDriver.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/skin/form/FrameProbes.h"
#include "tests/support/DesktopTestSupport.h"
#include "tests/support/FreeWatcher.h"
#include "tests/support/GdiObjectCount.h"
#include "tests/support/WindowPicture.h"
#include "tests/support/WindowStates.h"
#include "tray/TrayIcon.h"

namespace bus {
namespace {

using test::kDesktopWait;
using test::Press;
using test::PumpPending;
using test::PumpUntil;
using test::Rgb;
using test::Type;

constexpr std::uint32_t kMagenta = 0xFF00FF;

// Steps run one after another from a thread timer, which the modal loops of message boxes and
// menus run too: each tick calls the current step until it answers true. After about 8 s the
// steps are given up, and a menu still open is ended.
class Steps {
public:
  using Step = std::function<bool()>;
  explicit Steps(std::vector<Step> steps) : steps_(std::move(steps)), timer_(30, [this] { Tick(); }) {}
  bool Done() const noexcept { return next_ == steps_.size(); }
  // Done, or given up.
  bool Over() const noexcept { return Done() || ticks_ > kTickLimit; }

private:
  void Tick() {
    if (++ticks_ > kTickLimit) {
      EndMenu();
      return;
    }
    if (!Done() && steps_[next_]()) ++next_;
  }

  static constexpr int kTickLimit = 270;
  std::vector<Step> steps_;  // in order
  size_t next_ = 0;          // the step running
  int ticks_ = 0;            // ticks so far
  test::ThreadTimer timer_;  // made last, gone first
};

// The open menu's window, or null.
HWND OpenMenuWindow() {
  const HWND menu = FindWindowW(L"#32768", nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

// What a skin paints, as probes: the left border's colour in its stretched middle, the face colour
// of the panels, the menu window's corner and the middle of a selected menu item.
struct Look {
  std::uint32_t border, face, menuCorner, selectedItem;
};

Look LookOf(const TSkinData& skin) {
  const TBitmap& item = skin.MenuItem()->Image();
  const int fw = item.Width() / 5;
  return {test::ImagePixel(skin.Left()->Image(), 1, test::MiddleRow(*skin.Left())),
          test::ColorRef(ColorToRGB(skin.ButtonFace())), test::ImagePixel(skin.MenuBackground()->Image(), 0, 0),
          test::ImagePixel(item, 3 * fw + fw / 2, item.Height() / 2)};
}

// The probes of a framed window's picture: its left border half way down.
std::uint32_t LeftBorder(const BmpImage& picture) { return Rgb(picture, 1, picture.height / 2); }

// A menu window's picture with the rectangle of the menu's item at position (window coordinates).
struct MenuShot {
  BmpImage picture;
  RECT item{};
};

MenuShot ShootMenu(HWND window, HMENU menu, int position) {
  MenuShot shot{test::WindowImage(window), {}};
  RECT w{};
  GetMenuItemRect(nullptr, menu, UINT(position), &shot.item);
  GetWindowRect(window, &w);
  OffsetRect(&shot.item, -w.left, -w.top);
  return shot;
}

// The selected item's middle (its right part, clear of the caption).
std::uint32_t ItemMiddle(const MenuShot& shot) {
  return Rgb(shot.picture, shot.item.right - 5, (shot.item.top + shot.item.bottom) / 2);
}

// The menus of a form as skinning may change them: per menu component its owner-draw flag, its
// native handle, and per native item its type and whether it has draw and measure handlers; then
// the window's system menu and its items' types.
struct MenuState {
  const void* menu;
  HMENU handle;
  bool ownerDraw;
  std::vector<UINT> types;
  std::vector<int> handlers;  // per item: 1 draw event, 2 measure event
  bool operator==(const MenuState&) const = default;
};

std::vector<UINT> NativeTypes(HMENU menu) {
  std::vector<UINT> types;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, UINT(i), TRUE, &mii);
    types.push_back(mii.fType);
  }
  return types;
}

void AddItemHandlers(const TMenuItem& item, std::vector<int>& out) {
  for (int i = 0; i < item.Count(); ++i) {
    const TMenuItem& child = *item.Items(i);
    out.push_back((child.OnDrawItem.Assigned() ? 1 : 0) | (child.OnMeasureItem.Assigned() ? 2 : 0));
    AddItemHandlers(child, out);
  }
}

std::vector<MenuState> MenuStates(TCustomForm& form) {
  std::vector<MenuState> states;
  for (int i = 0; i < form.ComponentCount(); ++i) {
    auto* menu = dynamic_cast<TMenu*>(form.Components(i));
    if (!menu) continue;
    MenuState s{menu, menu->Handle(), menu->OwnerDraw(), NativeTypes(menu->Handle()), {}};
    AddItemHandlers(*menu->Items(), s.handlers);
    states.push_back(std::move(s));
  }
  const HMENU system = GetSystemMenu(form.Handle(), FALSE);
  states.push_back({nullptr, system, false, NativeTypes(system), {}});
  return states;
}

class MainWindowSkin : public test::MainWindowFixture {
protected:
  // Skinning is on for each test's window (and for the tests that come after), whatever the test
  // before left: a main window made later in the process is adopted only while it is on.
  void SetUp() override {
    if (SkinManager) SkinManager->SetActive(true);
  }
  void TearDown() override {
    test::MainWindowFixture::TearDown();
    if (SkinManager) SkinManager->SetActive(true);
  }
  // The main window's object once it has skinned the window's controls.
  TSkinForm* WaitSkinned() {
    TSkinForm* object = nullptr;
    EXPECT_TRUE(PumpUntil(
        [&] { return (object = SkinManager->FindSkinForm(form_->Handle())) && object->ChildrenSkinned(); },
        kDesktopWait));
    PumpPending();
    return object;
  }
  // Asks for another skin file of the build (night.skn, bussearch.skn), as setting SkinFile at run
  // time does; the refresh comes from the skin manager's timer.
  void AskForSkin(const char* file) {
    form_->SkinData1->SetSkinFile(test::Utf8(test::BinaryDir() / file));
    ASSERT_FALSE(form_->SkinData1->SkinEmpty());
  }
  static bool Refreshed() { return SkinManager->CurrentSkin() == nullptr; }
  // Skinning switched on or off (commands 1 and 2) as the skin component asks for it, carried out
  // by the manager's timer, here after a short delay.
  void SwitchSkin(bool on) {
    SkinManager->SetCurrentSkin(form_->SkinData1);
    SkinManager->RequestCommand(on ? kSkinApply : kSkinRemove, 10);
    EXPECT_TRUE(PumpUntil(
        [&] {
          TSkinForm* object = SkinManager->FindSkinForm(form_->Handle());
          return on ? object && object->ChildrenSkinned() : !object;
        },
        kDesktopWait));
    PumpPending();
  }
  // Opens the tray menu as a right press on the icon does and returns when it has closed.
  void OpenTrayMenu() {
    SendMessageW(form_->TrayIcon1->Handle(), TTrayIcon::kCallbackMessage, TTrayIcon::kIconId, WM_RBUTTONDOWN);
  }
  // Opens the skin's system popup as a right press on the caption does; returns once the steps
  // run in its menu loop are over and the menu has closed.
  void OpenSystemPopup(const TSkinForm& object, const Steps& steps) {
    RECT w{};
    GetWindowRect(form_->Handle(), &w);
    const POINT caption{w.left + 120, w.top + object.FrameTop() / 2};
    PostMessageW(form_->Handle(), WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(caption.x, caption.y));
    EXPECT_TRUE(PumpUntil([&] { return steps.Over() && OpenMenuWindow() == nullptr; }, 10000));
  }
  // The steps that look at an open menu before and after the other skin file was asked for: the
  // item at position is selected (Down presses), shot, the file asked for, shot again once the
  // refresh ran and the menu repainted; then the menu closes.
  std::vector<Steps::Step> ReskinOpenMenu(HMENU menu, int position, const char* file, MenuShot& before,
                                          MenuShot& after) {
    auto window = std::make_shared<HWND>(nullptr);
    auto ticks = std::make_shared<int>(0);
    return {[window, position] {
              if (!(*window = OpenMenuWindow())) return false;
              for (int i = 0; i <= position; ++i) PostMessageW(*window, WM_KEYDOWN, VK_DOWN, 0);
              return true;
            },
            [ticks] { return ++*ticks % 4 == 0; },  // the selection painted
            [this, window, menu, position, file, &before] {
              before = ShootMenu(*window, menu, position);
              form_->SkinData1->SetSkinFile(test::Utf8(test::BinaryDir() / file));
              return true;
            },
            [] { return Refreshed(); },
            [ticks] { return ++*ticks % 4 == 0; },  // repainted
            [window, menu, position, &after] {
              after = ShootMenu(*window, menu, position);
              RECT r{};
              GetWindowRect(*window, &r);
              EXPECT_EQ(WindowFromPoint({r.left + 4, r.top + 4}), *window) << "the menu in front";
              PostMessageW(*window, WM_KEYDOWN, VK_ESCAPE, 0);
              return true;
            }};
  }
};

// SkinFile changed at run time reaches every open window: the main window's frame and controls,
// the transfer question waiting for its answer, the tray menu and the system popup while they are
// open. Each is checked against the pictures of the skin it shows.
TEST_F(MainWindowSkin, AnotherSkinFileReskinsTheWindowItsOpenQuestionAndItsOpenMenus) {
  CreateXian();
  TSkinForm* object = WaitSkinned();
  ASSERT_NE(object, nullptr);
  const HWND window = form_->Handle();
  const Look day = LookOf(*form_->SkinData1);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(LeftBorder(test::WindowImage(window)), day.border);
  EXPECT_EQ(test::ColorRef(test::PixelAt(*form_->Panel1, {4, 4})), day.face);

  // the transfer question open while the night skin is asked for: its frame changes under it
  form_->edtFrom->SetFocus();
  Type("兵马俑");
  Press(VK_RETURN);
  Type("小寨");
  HWND box = nullptr;
  BmpImage boxBefore, boxAfter;
  {
    int ticks = 0;
    Steps steps({[&] {
                   box = test::FirstVisibleDialog();
                   const TSkinForm* boxObject = box ? SkinManager->FindSkinForm(box) : nullptr;
                   return boxObject && boxObject->FrameSkinning() && ++ticks > 3;
                 },
                 [&] {
                   boxBefore = test::WindowImage(box);
                   form_->SkinData1->SetSkinFile(test::Utf8(test::BinaryDir() / "night.skn"));
                   return true;
                 },
                 [] { return Refreshed(); }, [&] { return ++ticks % 4 == 0; },
                 [&] {
                   boxAfter = test::WindowImage(box);
                   return true;
                 }});
    test::BoxAnswerer answer({IDCANCEL}, [&] { return steps.Over(); });
    Press(VK_RETURN);
    ASSERT_TRUE(steps.Done());
    ASSERT_EQ(answer.Seen().size(), 1u);
    EXPECT_EQ(answer.Seen()[0].text, "没有直达公交车，是否查询换乘公交车?");
  }
  const Look night = LookOf(*form_->SkinData1);
  ASSERT_NE(night.border, day.border);
  ASSERT_NE(night.face, day.face);
  EXPECT_EQ(LeftBorder(boxBefore), day.border) << "the question in the first skin";
  EXPECT_EQ(LeftBorder(boxAfter), night.border) << "and in the night skin while it still waited";
  EXPECT_EQ(test::CountColour(boxAfter, {0, 0, boxAfter.width, boxAfter.height}, kMagenta), 0);

  // the window behind it: frame and panels from the night skin around the same client area
  PumpPending();
  const BmpImage picture = test::WindowImage(window);
  EXPECT_EQ(LeftBorder(picture), night.border);
  EXPECT_EQ(test::CountColour(picture, {0, 0, picture.width, picture.height}, kMagenta), 0);
  EXPECT_EQ(test::ColorRef(test::PixelAt(*form_->Panel1, {4, 4})), night.face);
  RECT clientAfter{};
  GetClientRect(window, &clientAfter);
  EXPECT_TRUE(EqualRect(&client, &clientAfter));
  EXPECT_EQ(object->Life(), kLifeReady);

  // the tray menu open while the first skin comes back: its border and selected item follow
  {
    MenuShot before, after;
    Steps steps(ReskinOpenMenu(form_->PopupMenu1->Handle(), 0, "bussearch.skn", before, after));
    OpenTrayMenu();
    ASSERT_TRUE(steps.Done());
    ASSERT_NE(night.menuCorner, day.menuCorner);
    EXPECT_EQ(Rgb(before.picture, 0, 0), night.menuCorner);
    EXPECT_EQ(ItemMiddle(before), night.selectedItem);
    EXPECT_EQ(Rgb(after.picture, 0, 0), day.menuCorner) << "the open tray menu's border";
    EXPECT_EQ(ItemMiddle(after), day.selectedItem) << "its selected item";
  }
  EXPECT_EQ(LeftBorder(test::WindowImage(window)), day.border);

  // the system popup open while the night skin comes again
  ASSERT_NE(object->SystemPopup(), nullptr);
  {
    MenuShot before, after;
    Steps steps(ReskinOpenMenu(object->SystemPopup()->Handle(), 1, "night.skn", before, after));
    OpenSystemPopup(*object, steps);
    ASSERT_TRUE(steps.Done());
    EXPECT_EQ(Rgb(before.picture, 0, 0), day.menuCorner);
    EXPECT_EQ(ItemMiddle(before), day.selectedItem);
    EXPECT_EQ(Rgb(after.picture, 0, 0), night.menuCorner) << "the open system popup's border";
    EXPECT_EQ(ItemMiddle(after), night.selectedItem) << "its selected item";
  }
  EXPECT_TRUE(IsWindowVisible(window)) << "closing the popup chose nothing";
  EXPECT_EQ(LeftBorder(test::WindowImage(window)), night.border);
}

// The transfer question and the plan panel as the skin shows them: the question framed and shaped
// by the skin, its face and buttons the skin's, nothing magenta; after OK the plans' memo on the
// panel scrolls with the skin's bar laid exactly over the platform's, which it hides from view.
TEST_F(MainWindowSkin, TheTransferQuestionAndThePlanPanelAreSkinned) {
  CreateXian();
  ASSERT_NE(WaitSkinned(), nullptr);
  const Look look = LookOf(*form_->SkinData1);
  form_->edtFrom->SetFocus();
  Type("兵马俑");
  Press(VK_RETURN);
  Type("小寨");
  BmpImage question;
  RECT client{};
  int buttonsSkinned = 0, regionKind = ERROR;
  {
    int ticks = 0;
    Steps steps({[&] {
      const HWND box = test::FirstVisibleDialog();
      const TSkinForm* object = box ? SkinManager->FindSkinForm(box) : nullptr;
      if (!object || !object->FrameSkinning() || ++ticks < 4) return false;
      question = test::WindowImage(box);
      GetClientRect(box, &client);
      POINT origin{0, 0};
      ClientToScreen(box, &origin);
      RECT w{};
      GetWindowRect(box, &w);
      OffsetRect(&client, origin.x - w.left, origin.y - w.top);  // in the picture
      for (const int id : {IDOK, IDCANCEL}) buttonsSkinned += object->FindWrapper(GetDlgItem(box, id)) != nullptr;
      const GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
      regionKind = GetWindowRgn(box, region.Get());
      return true;
    }});
    test::BoxAnswerer answer({IDOK}, [&] { return steps.Over(); });
    Press(VK_RETURN);
    ASSERT_TRUE(steps.Done());
    ASSERT_EQ(answer.Seen().size(), 1u);
  }
  EXPECT_EQ(LeftBorder(question), look.border) << "the skin's frame";
  EXPECT_EQ(test::CountColour(question, {0, 0, question.width, question.height}, kMagenta), 0);
  ASSERT_NE(look.face, test::ColorRef(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(Rgb(question, client.left + 2, client.bottom - 3), look.face) << "the skin's face";
  EXPECT_EQ(buttonsSkinned, 2);
  EXPECT_EQ(regionKind, COMPLEXREGION) << "shaped by the skin";

  // the plans over the grid; their memo's bar is the skin's
  ASSERT_TRUE(form_->Panel4->Visible());
  PumpPending();
  ASSERT_GT(form_->Memo1->Lines().Count(), 0);
  TSkinScrollbar* wrapper = nullptr;
  for (int i = 0; i < form_->Memo1->ComponentCount() && !wrapper; ++i)
    wrapper = dynamic_cast<TSkinScrollbar*>(form_->Memo1->Components(i));
  ASSERT_TRUE(wrapper && wrapper->VertBar());
  TWScrollbar& bar = *wrapper->VertBar();
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetScrollBarInfo(form_->Memo1->Handle(), OBJID_VSCROLL, &info));
  RECT overlay{};
  GetWindowRect(bar.Handle(), &overlay);
  EXPECT_TRUE(IsWindowVisible(bar.Handle()));
  EXPECT_TRUE(EqualRect(&overlay, &info.rcScrollBar)) << "laid exactly over the platform's bar";
  const POINT middle{(overlay.left + overlay.right) / 2, (overlay.top + overlay.bottom) / 2};
  EXPECT_EQ(WindowFromPoint(middle), bar.Handle());
  EXPECT_EQ(bar.ThumbStart(), info.xyThumbTop);
  // the bar's pixels are not the platform's: the same place with skinning off looks otherwise
  const auto shoot = [&] {
    const BmpImage all = test::WindowImage(form_->Handle());
    RECT w{};
    GetWindowRect(form_->Handle(), &w);
    RECT r = info.rcScrollBar;
    OffsetRect(&r, -w.left, -w.top);
    return std::make_pair(all, r);
  };
  const auto [skinned, place] = shoot();
  EXPECT_EQ(test::CountColour(skinned, place, kMagenta), 0);
  SwitchSkin(false);
  ASSERT_TRUE(GetScrollBarInfo(form_->Memo1->Handle(), OBJID_VSCROLL, &info));
  const auto [native, nativePlace] = shoot();
  int differing = 0, area = 0;
  for (int y = place.top; y < place.bottom; ++y) {
    for (int x = place.left; x < place.right; ++x) {
      ++area;
      differing += Rgb(skinned, x, y) != Rgb(native, x - place.left + nativePlace.left, y - place.top + nativePlace.top);
    }
  }
  EXPECT_GT(differing, area / 2) << "the skin's bar, not the platform's";
}

// Switching skinning off (command 2), after a skin was applied and another loaded over it, leaves
// every window's procedure and styles, every control's handler chain and colours, and every menu
// (handle, owner drawing, item types and handlers, the system menu) as they were before the skin.
TEST_F(MainWindowSkin, SwitchingTheSkinOffGivesEveryWindowControlAndMenuBackAsItWas) {
  CreateXian();
  ASSERT_NE(WaitSkinned(), nullptr);
  SwitchSkin(false);
  const std::vector<test::WindowState> windows = test::WindowStates(form_->Handle());
  const std::vector<test::ControlState> controls = test::ControlStates(*form_);
  const std::vector<MenuState> menus = MenuStates(*form_);
  ASSERT_FALSE(form_->PopupMenu1->OwnerDraw());

  SwitchSkin(true);
  EXPECT_NE(test::ControlStates(*form_), controls);
  EXPECT_NE(MenuStates(*form_), menus);
  EXPECT_TRUE(form_->PopupMenu1->OwnerDraw());
  AskForSkin("night.skn");
  ASSERT_TRUE(PumpUntil(Refreshed, kDesktopWait));
  test::TFreeWatcher watcher;
  TSkinForm* object = SkinManager->FindSkinForm(form_->Handle());
  ASSERT_NE(object, nullptr);
  watcher.Watch(object);
  for (TSkinControl* w : object->Wrappers()) watcher.Watch(w);

  SwitchSkin(false);
  EXPECT_EQ(watcher.Alive(), 0);
  EXPECT_EQ(test::WindowStates(form_->Handle()), windows);
  EXPECT_EQ(test::ControlStates(*form_), controls);
  EXPECT_EQ(MenuStates(*form_), menus);
  // and the window and its menu still work as before
  Search(form_->Edit3, "钟楼");
  EXPECT_LT(Rows(), int(all_.size()));
  EXPECT_EQ(test::ChooseFromTrayMenu(*form_->TrayIcon1, 2), 1);  // "隐藏"
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(form_->Handle()); }, kDesktopWait));
}

// 200 rounds of apply and remove on the main window, now and then with the tray menu opened while
// skinned. Counted: the thread's windows, the skin's objects alive (form objects, wrappers, menu
// window objects), the hook the manager keeps, the windows' procedures and the controls' handler
// chains. GDI objects only where the platform counts them: Wine's GetGuiResources answers 0.
TEST_F(MainWindowSkin, TwoHundredRoundsOfApplyAndRemoveLeaveNothingBehind) {
  CreateXian();
  // the banner's first tick would show it midway: a change that is not the skin's
  form_->Timer1->SetEnabled(false);
  ASSERT_NE(WaitSkinned(), nullptr);
  SwitchSkin(false);
  const HHOOK hook = SkinManager->HookHandle();
  const std::vector<test::WindowState> windows = test::WindowStates(form_->Handle());
  const std::vector<test::ControlState> controls = test::ControlStates(*form_);
  const std::vector<MenuState> menus = MenuStates(*form_);
  const int threadWindows = test::ThreadWindowCount(), gdi = test::GdiObjectCount();
  test::TFreeWatcher watcher;
  for (int round = 0; round < 200; ++round) {
    SwitchSkin(true);
    TSkinForm* object = SkinManager->FindSkinForm(form_->Handle());
    ASSERT_NE(object, nullptr) << "round " << round;
    watcher.Watch(object);
    for (TSkinControl* w : object->Wrappers()) watcher.Watch(w);
    if (round % 50 == 0) {
      EXPECT_EQ(test::ChooseFromTrayMenu(*form_->TrayIcon1, -1), 1) << "round " << round;
    }
    SwitchSkin(false);
    ASSERT_EQ(watcher.Alive(), 0) << "round " << round;
  }
  EXPECT_EQ(test::ThreadWindowCount(), threadWindows);
  if (gdi >= 0) {
    EXPECT_LE(test::GdiObjectCount(), gdi);  // counted on Windows only
  }
  EXPECT_TRUE(SkinManager->SkinForms().empty());
  EXPECT_TRUE(SkinManager->PopupMenus().empty());
  EXPECT_EQ(SkinManager->HookHandle(), hook) << "one hook, installed once";
  EXPECT_EQ(test::WindowStates(form_->Handle()), windows);
  EXPECT_EQ(test::ControlStates(*form_), controls);
  EXPECT_EQ(MenuStates(*form_), menus);
}

}  // namespace
}  // namespace bus
