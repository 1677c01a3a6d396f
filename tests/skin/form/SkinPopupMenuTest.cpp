// Popup menus of a skinned form under Wine: the tray icon's menu and the skin's system popup drawn
// from the skin and driven by posted keys, the messages of opening and closing a menu against an
// unskinned one, and menus given back when the skin is read anew or removed.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/WideText.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandles.h"
#include "framework/controls/WindowSubclass.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinPopupMenu.h"
#include "tests/skin/form/SkinFrameSupport.h"
#include "tests/support/GdiObjectCount.h"
#include "tests/support/MessageSequence.h"
#include "tests/support/WindowPicture.h"
#include "tray/TrayIcon.h"

namespace bus {
namespace {

using test::Expected;
using test::Rgb;

constexpr std::uint32_t kMagenta = 0xFF00FF;

// An open menu inspected from a thread timer that the menu's own loop runs: while the menu window is
// shown, every third tick runs the next step (which may post keys to the menu), so that what the
// menu painted has reached the screen; a menu still open after about 6 s is ended.
class MenuSession {
public:
  using Step = std::function<void(HWND menuWindow)>;
  explicit MenuSession(std::vector<Step> steps) : steps_(std::move(steps)), timer_(30, [this] { Tick(); }) {}
  // Steps that ran.
  size_t StepsRun() const noexcept { return next_; }

private:
  void Tick() {
    if (++ticks_ > 200) EndMenu();
    const HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu) || next_ >= steps_.size()) return;
    if (++shownTicks_ % kTicksPerStep == 0) steps_[next_++](menu);
  }

  std::vector<Step> steps_;  // one per tick, in order
  size_t next_ = 0;          // the next step
  static constexpr int kTicksPerStep = 3;
  int ticks_ = 0;            // ticks so far
  int shownTicks_ = 0;       // ticks with the menu shown
  test::ThreadTimer timer_;  // made last, gone first
};

// Posts Down presses, then Enter (or Escape when downs is negative), to the menu window.
void Choose(HWND menu, int downs) {
  for (int i = 0; i < downs; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, downs < 0 ? VK_ESCAPE : VK_RETURN, 0);
}

// Item `position` of the open menu in the menu window's coordinates.
RECT ItemRect(HWND window, HMENU menu, int position) {
  RECT r{}, w{};
  GetMenuItemRect(nullptr, menu, UINT(position), &r);
  GetWindowRect(window, &w);
  OffsetRect(&r, -w.left, -w.top);
  return r;
}

// Pixels of the picture within r (cut to it) that differ from rgb.
int CountOther(const BmpImage& picture, const RECT& r, std::uint32_t rgb) {
  const int area = std::max<int>(r.right - r.left, 0) * std::max<int>(r.bottom - r.top, 0);
  return area - test::CountColour(picture, r, rgb);
}

// What a menu looked like at one moment, with its items' rectangles.
struct Shot {
  BmpImage picture;
  std::vector<RECT> items;
  RECT window{};
};

Shot TakeShot(HWND window, HMENU menu) {
  Shot shot{test::WindowImage(window), {}, {}};
  GetWindowRect(window, &shot.window);
  for (int i = 0; i < GetMenuItemCount(menu); ++i) shot.items.push_back(ItemRect(window, menu, i));
  return shot;
}

class SkinPopupMenuTest : public test::SkinFrameFixture {
protected:
  // The form with a tray icon whose menu is the program's, with a checked, a disabled and a
  // sub-menu item besides.
  void MakeTrayForm() {
    MakeForm();
    tray_ = new TTrayIcon(form_);
    trayMenu_ = new TPopupMenu(form_);
    const auto add = [this](TMenuItem* parent, const char* caption) {
      auto* item = new TMenuItem(form_);
      item->SetCaption(caption);
      item->OnClick = TNotifyEvent([this](TObject* sender) { clicked_.push_back(static_cast<TMenuItem*>(sender)->Caption()); });
      parent->Add(item);
      return item;
    };
    add(trayMenu_->Items(), "显示");
    hide_ = add(trayMenu_->Items(), "隐藏");
    hide_->OnClick = TNotifyEvent([this](TObject*) { form_->Hide(); });
    add(trayMenu_->Items(), "-");
    add(trayMenu_->Items(), "置顶")->SetChecked(true);
    TMenuItem* more = add(trayMenu_->Items(), "更多");
    add(more, "一");
    add(more, "二");
    add(trayMenu_->Items(), "暂停")->SetEnabled(false);
    add(trayMenu_->Items(), "退出");
    tray_->SetPopupMenu(trayMenu_);
  }
  // Opens the tray menu as a right press on the icon does, over the form, and runs the steps.
  size_t OpenTrayMenu(std::vector<MenuSession::Step> steps) {
    const POINT over = form_->ClientToScreen({40, 40});
    SetCursorPos(over.x, over.y);
    MenuSession session(std::move(steps));
    SendMessageW(tray_->Handle(), TTrayIcon::kCallbackMessage, TTrayIcon::kIconId, WM_RBUTTONDOWN);
    return session.StepsRun();
  }
  // The menu window object of the open menu.
  TSkinPopupMenu* OpenPopup(HWND window) const {
    for (const auto& p : manager_->PopupMenus())
      if (p->Handle() == window) return p.get();
    return nullptr;
  }
  // A pixel of the skin's MenuItem strip in the middle of frame (1 …).
  std::uint32_t MenuItemCentre(int frame) const {
    const TBitmap& image = skin_.MenuItem()->Image();
    const int fw = image.Width() / 5;
    return test::ImagePixel(image, (frame - 1) * fw + fw / 2, image.Height() / 2);
  }

  TTrayIcon* tray_ = nullptr;
  TPopupMenu* trayMenu_ = nullptr;
  TMenuItem* hide_ = nullptr;
  std::vector<std::string> clicked_;
};

TEST_F(SkinPopupMenuTest, TheTrayMenuIsDrawnFromTheSkinAndRunsTheChosenItem) {
  MakeTrayForm();
  ASSERT_NE(Adopt(), nullptr);
  ASSERT_TRUE(skin_.MenuItem() && skin_.MenuBackground());
  EXPECT_TRUE(trayMenu_->OwnerDraw());
  const HMENU menu = trayMenu_->Handle();

  Shot normal, selected, subMenuSelected;
  TSkinPopupMenu* popup = nullptr;
  TBitmap background;
  const size_t steps = OpenTrayMenu({
      [&](HWND window) {
        popup = OpenPopup(window);
        if (popup) background.Assign(popup->Background());
        normal = TakeShot(window, menu);
        PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);  // the first item
      },
      [&](HWND window) {
        selected = TakeShot(window, menu);
        for (int i = 0; i < 3; ++i) PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);  // 更多, not opened
      },
      [&](HWND window) {
        subMenuSelected = TakeShot(window, menu);
        PostMessageW(window, WM_KEYDOWN, VK_UP, 0);
        PostMessageW(window, WM_KEYDOWN, VK_UP, 0);
        Choose(window, 0);  // back up to 隐藏, past the separator, and choose it
      },
  });
  ASSERT_EQ(steps, 3u);
  ASSERT_NE(popup, nullptr) << "the menu window had its object";
  ASSERT_FALSE(background.Empty());
  ASSERT_EQ(normal.items.size(), 7u);
  EXPECT_FALSE(IsWindowVisible(form_->Handle())) << "the chosen item ran its action";

  const BmpImage& p = normal.picture;
  const int w = p.width, h = p.height;
  ASSERT_EQ(background.Width(), w);
  // the border is the skin's, painted after the platform's own edge: every pixel of the outer
  // strips as the background rendered from MenuBackground, whose corner is the image's
  const TBitmap& image = skin_.MenuBackground()->Image();
  EXPECT_EQ(test::ImagePixel(background, 0, 0), test::ImagePixel(image, 0, 0));
  for (const POINT q : {POINT{0, 0}, POINT{w / 2, 0}, POINT{w - 1, h / 2}, POINT{w / 2, h - 1}, POINT{1, h / 3},
                        POINT{2, 2}, POINT{w - 3, h - 3}})
    EXPECT_EQ(Rgb(p, q.x, q.y), test::ImagePixel(background, q.x, q.y)) << "border at " << q.x << "," << q.y;

  // a normal item shows frame 1 (transparent here) over the background; the selected one frame 4
  const RECT first = normal.items[0];
  const POINT inside{first.right - 5, (first.top + first.bottom) / 2};
  const std::uint32_t frame1 = MenuItemCentre(1);
  EXPECT_EQ(Rgb(p, inside.x, inside.y), frame1 == kMagenta ? test::ImagePixel(background, inside.x, inside.y) : frame1);
  EXPECT_EQ(Rgb(selected.picture, inside.x, inside.y), MenuItemCentre(4));
  EXPECT_NE(MenuItemCentre(4), Rgb(p, inside.x, inside.y)) << "the two frames differ in this skin";

  // the separator: frame 2's line across the item
  const RECT separator = normal.items[2];
  const TBitmap& strip = skin_.MenuItem()->Image();
  const int fw = strip.Width() / 5;
  std::uint32_t line = kMagenta;
  for (int y = 0; y < strip.Height() && line == kMagenta; ++y) line = test::ImagePixel(strip, fw + fw / 2, y);
  EXPECT_GT(test::CountColour(p, separator, line), (separator.right - separator.left) / 2);

  // the glyph box: a check mark for the checked item, nothing for the others
  const int inset = skin_.MenuItem()->LeftWidth();
  const auto glyph = [inset](const RECT& item) {
    return RECT{item.left + 1 + inset, item.top + 1, item.left + 1 + inset + 16, item.top + 17};
  };
  const std::uint32_t mark = test::ColorRef(GetSysColor(COLOR_BTNTEXT));
  EXPECT_GT(test::CountColour(p, glyph(normal.items[3]), mark), 3) << "the check mark";
  EXPECT_EQ(test::CountColour(p, glyph(normal.items[0]), mark), 0);

  // the sub-menu item carries an arrow at its right end that a plain item has not
  const auto arrowArea = [](const RECT& item) { return RECT{item.right - 14, item.top + 2, item.right - 2, item.bottom - 2}; };
  const std::uint32_t plain = Rgb(p, normal.items[6].right - 8, normal.items[6].top + 3);
  EXPECT_EQ(CountOther(p, arrowArea(normal.items[6]), plain), 0);
  EXPECT_GT(CountOther(p, arrowArea(normal.items[4]), plain), 3) << "the sub-menu arrow";
  // selected, the arrow is the skin's in the selected caption's colour, with no highlight box of the
  // platform's behind it
  const RECT arrow = arrowArea(subMenuSelected.items[4]);
  const std::uint32_t highlight = test::ColorRef(GetSysColor(COLOR_HIGHLIGHT));
  ASSERT_NE(highlight, MenuItemCentre(4));
  EXPECT_EQ(test::CountColour(subMenuSelected.picture, arrow, highlight), 0);
  EXPECT_GT(test::CountColour(subMenuSelected.picture, arrow, test::ColorRef(ColorToRGB(skin_.HilightText()))), 3);

  // the disabled item's caption is in the skin's shadow colour, the others' in MenuText
  const std::uint32_t shadow = skin_.ButtonShadow() == skin_.MenuText()
                                   ? test::ColorRef(GetSysColor(COLOR_BTNSHADOW))
                                   : test::ColorRef(ColorToRGB(skin_.ButtonShadow()));
  const std::uint32_t text = test::ColorRef(ColorToRGB(skin_.MenuText()));
  RECT caption5 = normal.items[5], caption0 = normal.items[0];
  caption5.left += inset + 20, caption0.left += inset + 20;
  EXPECT_GT(test::CountColour(p, caption5, shadow), 0) << "disabled caption";
  EXPECT_EQ(test::CountColour(p, caption5, text), 0);
  EXPECT_GT(test::CountColour(p, caption0, text), 0) << "enabled caption";
}

TEST_F(SkinPopupMenuTest, AMenuWindowPaintsItsBorderWhenAskedAndPrintsItsItemsOverItsBackground) {
  MakeTrayForm();
  ASSERT_NE(Adopt(), nullptr);
  const HMENU menu = trayMenu_->Handle();
  BmpImage screen;
  TBitmap printed, background;
  RECT first{};
  std::uint32_t smudged = 0, repainted = 0, expected = 1;
  OpenTrayMenu({[&](HWND window) {
    // the border painted over, then asked for as a non-client paint
    {
      const WindowDC dc = WindowDC::Whole(window);
      SetPixel(dc.Get(), 1, 1, RGB(1, 2, 3));
      smudged = test::ColorRef(GetPixel(dc.Get(), 1, 1));
      SendMessageW(window, WM_NCPAINT, 1, 0);
      repainted = test::ColorRef(GetPixel(dc.Get(), 1, 1));
    }
    if (TSkinPopupMenu* popup = OpenPopup(window)) expected = test::ImagePixel(popup->Background(), 1, 1);
    screen = test::WindowImage(window);
    first = ItemRect(window, menu, 0);
    // what a menu animation asks for
    printed.SetSize(screen.width, screen.height);
    SendMessageW(window, WM_PRINT, WPARAM(printed.Canvas().Handle()), PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
    GdiFlush();
    if (TSkinPopupMenu* popup = OpenPopup(window)) background.Assign(popup->Background());
    Choose(window, -1);
  }});
  EXPECT_EQ(smudged, 0x010203u);
  EXPECT_EQ(repainted, expected) << "WM_NCPAINT paints the skin's border";
  ASSERT_FALSE(printed.Empty());
  ASSERT_EQ(background.Width(), printed.Width());
  const int w = printed.Width(), h = printed.Height();
  for (const POINT q : {POINT{0, 0}, POINT{2, 2}, POINT{w - 1, h / 2}, POINT{w / 2, h - 2}})
    EXPECT_EQ(test::ImagePixel(printed, q.x, q.y), test::ImagePixel(background, q.x, q.y))
        << "the border at " << q.x << "," << q.y << " is the skin's, not the platform's edge";
  // the items printed over the background as they are on the screen
  RECT caption = first;
  caption.left += skin_.MenuItem()->LeftWidth() + 20;
  const std::uint32_t text = test::ColorRef(ColorToRGB(skin_.MenuText()));
  int onScreen = test::CountColour(screen, caption, text), inPrint = 0;
  for (int y = caption.top; y < caption.bottom; ++y)
    for (int x = caption.left; x < caption.right; ++x) inPrint += test::ImagePixel(printed, x, y) == text;
  EXPECT_GT(onScreen, 0);
  EXPECT_EQ(inPrint, onScreen);
}

TEST_F(SkinPopupMenuTest, TheSystemPopupIsDrawnFromTheSkinAndCarriesOutItsCommand) {
  MakeForm();
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  ASSERT_NE(object->SystemPopup(), nullptr);
  TPopupMenu& system = *object->SystemPopup();
  ASSERT_TRUE(system.OwnerDraw());

  Shot shot;
  bool skinned = false;
  MenuSession session({[&](HWND window) {
    skinned = OpenPopup(window) != nullptr && SendMessageW(window, kSkinMsgIsSkinned, 0, 0) == 1;
    PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
  },
                       [&](HWND window) {
                         shot = TakeShot(window, system.Handle());
                         Choose(window, 1);  // " Restore " is selected; the next is " Maximize "
                       }});
  RECT w{};
  GetWindowRect(form_->Handle(), &w);
  const POINT caption{w.left + 60, w.top + object->FrameTop() / 2};
  PostMessageW(form_->Handle(), WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(caption.x, caption.y));
  ASSERT_TRUE(test::PumpUntil([&] { return session.StepsRun() == 2 && !FindWindowW(L"#32768", nullptr); }, test::kSkinWait));
  EXPECT_TRUE(skinned) << "the system popup's window was skinned";
  EXPECT_TRUE(test::PumpUntil([&] { return IsZoomed(form_->Handle()) != FALSE; }, test::kSkinWait))
      << "Maximize was carried out";

  ASSERT_EQ(shot.items.size(), 5u);
  // " Restore " (disabled, the window was normal) selected with frame 4; the others frame 1
  const RECT restore = shot.items[0], close = shot.items[4];
  EXPECT_EQ(Rgb(shot.picture, restore.right - 5, (restore.top + restore.bottom) / 2), MenuItemCentre(4));
  // the glyphs come from the skin's menu images, the shortcut stands at the right of " Close "
  const int inset = skin_.MenuItem()->LeftWidth();
  const std::uint32_t ground = Rgb(shot.picture, close.right - 4, close.top + 2);
  EXPECT_GT(CountOther(shot.picture, {close.left + 1 + inset, close.top + 1, close.left + 17 + inset, close.top + 17}, ground), 3);
  EXPECT_GT(CountOther(shot.picture, {close.right - 60, close.top + 2, close.right - 11, close.bottom - 2}, ground), 5)
      << "Shift+F4";
}

TEST_F(SkinPopupMenuTest, TheWindowsNativeItemsAreMeasuredAndDrawnFromTheirText) {
  MakeForm();
  auto* bar = new TMainMenu(form_);
  auto* file = new TMenuItem(form_);
  file->SetCaption("文件");
  bar->Items()->Add(file);
  auto* open = new TMenuItem(form_);
  open->SetCaption("打开");
  file->Add(open);
  form_->SetMenu(bar);
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  ASSERT_NE(object->NativeMenu(), nullptr);
  const HWND window = form_->Handle();

  // a drop-down of native items, owner-drawn as the menu bar marks them: one of the form's menu
  // items, items known only by their text, and a small identifier the form does not know
  const HMENU drop = CreatePopupMenu();
  AppendMenuW(drop, MF_STRING, open->Command(), L"打开");
  AppendMenuW(drop, MF_STRING, 0x2001, L"甲乙丙丁");
  AppendMenuW(drop, MF_STRING | MF_GRAYED, 0x2002, L"戊");
  AppendMenuW(drop, MF_STRING, 0x0105, L"小");
  for (int i = 0; i < GetMenuItemCount(drop); ++i) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(drop, UINT(i), TRUE, &mii);
    mii.fType |= MFT_OWNERDRAW;
    SetMenuItemInfoW(drop, UINT(i), TRUE, &mii);
  }
  object->SetTrackedSubMenu(drop);
  const int inset = skin_.MenuItem()->LeftWidth();

  const auto measure = [&](UINT id) {
    MEASUREITEMSTRUCT mis{ODT_MENU, 0, id, 0, 15, 0};
    SendMessageW(window, WM_MEASUREITEM, 0, LPARAM(&mis));
    return SIZE{LONG(mis.itemWidth), LONG(mis.itemHeight)};
  };
  // by its text in the menu font
  {
    MemoryDC dc;
    const DcSelection font(dc.Get(), Screen().MenuFont().Handle());
    SIZE text{};
    GetTextExtentPoint32W(dc.Get(), L"甲乙丙丁", 4, &text);
    const SIZE native = measure(0x2001);
    EXPECT_EQ(native.cx, text.cx + 26 + inset);
    EXPECT_EQ(native.cy, 15 + 4);
  }
  // the form's own item by the layer's size, widened for the skin
  {
    MemoryDC dc;
    TCanvas canvas(dc.Get());
    canvas.SetFont(Screen().MenuFont());
    int width = 0, height = 0;
    open->MeasureItem(canvas, width, height);
    canvas.SetHandle(nullptr);
    EXPECT_EQ(measure(open->Command()).cx, width + inset + 35);
  }
  EXPECT_EQ(measure(0x0105).cx, 0) << "left to the window";

  // drawn: the selected native item in frame 4 of MenuItem, the grey one in the shadow colour, the
  // small unknown identifier not at all
  TBitmap target(120, 20);
  const auto draw = [&](UINT id, UINT state) {
    target.Canvas().Brush().SetColor(TColor(RGB(1, 2, 3)));
    target.Canvas().FillRect({0, 0, 120, 20});
    DRAWITEMSTRUCT dis{ODT_MENU, 0, id, ODA_DRAWENTIRE, state, reinterpret_cast<HWND>(drop), target.Canvas().Handle(),
                       {0, 0, 120, 20}, 0};
    SendMessageW(window, WM_DRAWITEM, 0, LPARAM(&dis));
    GdiFlush();
    return test::ColorRef(GetPixel(target.Canvas().Handle(), 115, 10));
  };
  EXPECT_EQ(draw(0x2001, ODS_SELECTED), MenuItemCentre(4));
  EXPECT_EQ(draw(0x0105, ODS_SELECTED), 0x010203u) << "left to the window";
  EXPECT_NE(draw(0x2002, 0), 0x010203u);

  // opened as the menu bar opens it: the menu window learns its menu from the first item drawn
  HMENU learned = nullptr;
  std::uint32_t seen = 0;
  {
    MenuSession session({[](HWND w) { PostMessageW(w, WM_KEYDOWN, VK_DOWN, 0); },
                         [&](HWND w) {
                           if (TSkinPopupMenu* popup = OpenPopup(w)) learned = popup->OwnerMenu();
                           const RECT first = ItemRect(w, drop, 0);
                           seen = Rgb(test::WindowImage(w), first.right - 5, (first.top + first.bottom) / 2);
                           Choose(w, -1);
                         }});
    const POINT at = form_->ClientToScreen({20, 20});
    TrackPopupMenu(drop, TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
  }
  object->SetTrackedSubMenu(nullptr);
  DestroyMenu(drop);
  EXPECT_EQ(learned, drop);
  EXPECT_EQ(seen, MenuItemCentre(4));
}

TEST_F(SkinPopupMenuTest, OpeningAndClosingAMenuSendsTheSameMessagesSkinnedOrNot) {
  MakeTrayForm();
  manager_->SetActive(false);
  form_->Show();
  const std::vector<UINT> watched{WM_ENTERMENULOOP, WM_INITMENU,   WM_INITMENUPOPUP, WM_MENUSELECT,
                                  WM_UNINITMENUPOPUP, WM_EXITMENULOOP, WM_COMMAND};
  // the owner's messages, and the keys the message filter saw inside the menu loop
  const auto run = [&](const char* context) {
    static std::vector<UINT>* filtered = nullptr;
    std::vector<UINT> keys;
    filtered = &keys;
    const HHOOK hook = SetWindowsHookExW(
        WH_MSGFILTER,
        [](int code, WPARAM w, LPARAM l) -> LRESULT {
          const auto* msg = reinterpret_cast<const MSG*>(l);
          if (code == MSGF_MENU && filtered && msg->message == WM_KEYDOWN) filtered->push_back(UINT(msg->wParam));
          return CallNextHookEx(nullptr, code, w, l);
        },
        nullptr, GetCurrentThreadId());
    test::MessageLog log(TPopupMenu::PopupListWindow(), watched);
    {
      MenuSession session({[](HWND window) {
        PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
      },
                           [](HWND window) { Choose(window, -1); }});
      trayMenu_->Popup(150, 150);
    }
    UnhookWindowsHookEx(hook);
    filtered = nullptr;
    test::ExpectSequence(log.Take(), {{WM_ENTERMENULOOP},
                                      {WM_INITMENU},
                                      {WM_INITMENUPOPUP},
                                      {WM_MENUSELECT},  // the first item
                                      {WM_MENUSELECT},  // the second
                                      {WM_UNINITMENUPOPUP},
                                      {WM_MENUSELECT},  // the menu closes
                                      {WM_EXITMENULOOP}},
                         context);
    EXPECT_EQ(keys, (std::vector<UINT>{VK_DOWN, VK_DOWN, VK_ESCAPE})) << context;
  };
  run("unskinned");
  EXPECT_FALSE(trayMenu_->OwnerDraw());
  manager_->SetActive(true);
  ASSERT_NE(Adopt(), nullptr);
  ASSERT_TRUE(trayMenu_->OwnerDraw());
  run("skinned");
}

TEST_F(SkinPopupMenuTest, AMenuTaggedWithTheDisableTagStaysNative) {
  MakeTrayForm();
  trayMenu_->SetTag(199);  // 199 modulo 100 is the skin's DisableTag, 99
  ASSERT_EQ(skin_.DisableTag(), 99);
  ASSERT_NE(Adopt(), nullptr);
  EXPECT_FALSE(trayMenu_->OwnerDraw());
  EXPECT_FALSE(trayMenu_->Items()->Items(0)->OnDrawItem.Assigned());
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE;
  ASSERT_TRUE(GetMenuItemInfoW(trayMenu_->Handle(), 0, TRUE, &mii));
  EXPECT_FALSE(mii.fType & MFT_OWNERDRAW);
}

TEST_F(SkinPopupMenuTest, ANewSkinReachesTheMenusAndRemovingItGivesThemBack) {
  MakeTrayForm();
  ASSERT_NE(Adopt(), nullptr);
  TMenuItem* first = trayMenu_->Items()->Items(0);
  const HMENU handle = trayMenu_->Handle();

  // SkinFile changed at run time: the night skin, applied by command 3; the open menu's selected
  // item shows its frame 4
  skin_.SetSkinFile(Narrow((test::BinaryDir() / "night.skn").wstring()));
  ASSERT_FALSE(skin_.SkinEmpty());
  ASSERT_EQ(manager_->PendingCommand(), kSkinRefresh);
  ASSERT_TRUE(test::PumpUntil([&] { return manager_->CurrentSkin() == nullptr; }, test::kSkinWait));
  std::uint32_t seen = 0;
  RECT item{};
  OpenTrayMenu({[](HWND window) { PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0); },
                [&](HWND window) {
                  item = ItemRect(window, handle, 0);
                  seen = Rgb(test::WindowImage(window), item.right - 5, (item.top + item.bottom) / 2);
                  Choose(window, -1);
                }});
  EXPECT_EQ(seen, MenuItemCentre(4)) << "the night skin's selected item";

  // command 2: the menus as they were before the skin
  SwitchOff();
  EXPECT_FALSE(trayMenu_->OwnerDraw());
  EXPECT_FALSE(first->OnDrawItem.Assigned());
  EXPECT_FALSE(first->OnMeasureItem.Assigned());
  EXPECT_EQ(trayMenu_->Handle(), handle) << "given back in place";
  size_t objects = 99;
  const size_t steps = OpenTrayMenu({[&](HWND window) {
    objects = manager_->PopupMenus().size();
    Choose(window, -1);
  }});
  EXPECT_EQ(steps, 1u);
  EXPECT_EQ(objects, 0u) << "an open menu's window is not skinned";
}

TEST_F(SkinPopupMenuTest, TheProgramsOwnItemDrawingComesBackWhenTheSkinGoes) {
  MakeTrayForm();
  TMenuItem* own = trayMenu_->Items()->Items(0);
  int ownDraws = 0;
  own->OnDrawItem = TMenuDrawItemEvent([&](TObject*, TCanvas*, const RECT&, bool) { ++ownDraws; });
  auto* bar = new TMainMenu(form_);
  auto* file = new TMenuItem(form_);
  bar->Items()->Add(file);
  auto* drawn = new TMenuItem(form_);
  drawn->OnMeasureItem = TMenuMeasureItemEvent([](TObject*, TCanvas*, int& w, int&) { w += 1; });
  drawn->OnDrawItem = TMenuDrawItemEvent([&](TObject*, TCanvas*, const RECT&, bool) { ++ownDraws; });
  file->Add(drawn);
  auto* plain = new TMenuItem(form_);
  file->Add(plain);
  form_->SetMenu(bar);
  TSkinControlTypes controls = skin_.SkinControls();
  controls.Include(TSkinControlType::xcMenuItem);  // the main menu's items are the skin's too
  skin_.SetSkinControls(controls);

  ASSERT_NE(Adopt(), nullptr);
  TBitmap target(40, 20);
  own->DrawItem(target.Canvas(), {0, 0, 40, 20}, false);
  EXPECT_EQ(ownDraws, 0) << "the skin draws the popup menu's items";
  EXPECT_TRUE(plain->OnDrawItem.Assigned()) << "a drop-down's item that draws nothing itself";
  drawn->DrawItem(target.Canvas(), {0, 0, 40, 20}, false);
  EXPECT_EQ(ownDraws, 1) << "a drop-down's item that draws itself keeps its drawing";

  SwitchOff();
  own->DrawItem(target.Canvas(), {0, 0, 40, 20}, false);
  drawn->DrawItem(target.Canvas(), {0, 0, 40, 20}, false);
  EXPECT_EQ(ownDraws, 3) << "both draw themselves again";
  EXPECT_TRUE(drawn->OnMeasureItem.Assigned());
  EXPECT_FALSE(plain->OnDrawItem.Assigned());
  EXPECT_FALSE(plain->OnMeasureItem.Assigned());
  EXPECT_FALSE(trayMenu_->Items()->Items(1)->OnDrawItem.Assigned());
}

TEST_F(SkinPopupMenuTest, TwoHundredRoundsOfApplyAndRemoveLeaveNothingBehind) {
  MakeTrayForm();
  ASSERT_NE(Adopt(), nullptr);
  SwitchOff();
  const HWND window = form_->Handle();
  const LONG_PTR procedure = GetWindowLongPtrW(window, GWLP_WNDPROC);
  const int windows = test::ThreadWindowCount(), gdi = test::GdiObjectCount();
  for (int round = 0; round < 200; ++round) {
    RunCommand(kSkinApply);
    ASSERT_NE(manager_->FindSkinForm(window), nullptr) << "round " << round;
    ASSERT_TRUE(trayMenu_->OwnerDraw());
    if (round % 50 == 0) {
      // now and then with the menu opened and closed while skinned
      EXPECT_EQ(OpenTrayMenu({[](HWND w) { Choose(w, -1); }}), 1u);
    }
    SwitchOff();
  }
  EXPECT_EQ(test::ThreadWindowCount(), windows);
  if (gdi >= 0) {
    EXPECT_LE(test::GdiObjectCount(), gdi);  // counted on Windows only
  }
  EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), procedure) << "the window's own procedure";
  EXPECT_TRUE(manager_->PopupMenus().empty());
  EXPECT_FALSE(trayMenu_->OwnerDraw());
  EXPECT_FALSE(trayMenu_->Items()->Items(0)->OnDrawItem.Assigned());
}

}  // namespace
}  // namespace bus
