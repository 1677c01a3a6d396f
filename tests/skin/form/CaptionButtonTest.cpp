// The skin's caption buttons and system menu, driven by posted non-client mouse messages as the
// platform sends them: hot and pressed pictures, what each button does, the caption's double click
// and right click, and buttons of the skin's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "framework/controls/Menus.h"
#include "framework/controls/WindowSubclass.h"
#include "skin/form/SkinManager.h"
#include "tests/skin/form/SkinFrameSupport.h"
#include "tests/support/MenuAnswerer.h"
#include "tests/support/WindowPicture.h"

namespace bus {
namespace {

using test::CaptionButton;
using test::ClickCaptionButton;
using test::CountColour;
using test::ImagePixel;
using test::PostNcMouse;
using test::Rgb;
using test::ScreenPointOf;

class CaptionButtons : public test::SkinFrameFixture {
protected:
  // A point of the caption strip away from the text and the buttons.
  POINT CaptionPoint() const {
    const RECT window = WindowRect();
    return {(window.left + window.right) / 2 + 40, window.top + 15};
  }
};

// A pixel of a button's picture that is opaque and of different colours in the pressed and hot
// frames (in the normal frame it may be magenta: the caption shows through).
std::optional<POINT> TellingPixel(const TSkinCaptionButton& button) {
  const TBitmap& image = button.SkinButton().Image();
  const int frames = button.SkinButton().Frame(), w = image.Width() / frames;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < w; ++x) {
      const std::uint32_t pressed = ImagePixel(image, w + x, y), hot = ImagePixel(image, 2 * w + x, y);
      if (pressed != 0xFF00FF && hot != 0xFF00FF && pressed != hot) return POINT{x, y};
    }
  }
  return std::nullopt;
}

TEST_F(CaptionButtons, AButtonIsHotUnderTheMousePressedWhileHeldAndActsOnlyWhenReleasedOnIt) {
  MakeForm();
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  test::PumpPending();
  const TSkinCaptionButton* close = CaptionButton(*object, kActionClose);
  ASSERT_NE(close, nullptr);
  const std::optional<POINT> probe = TellingPixel(*close);
  ASSERT_TRUE(probe);
  const TBitmap& image = close->SkinButton().Image();
  const int frameWidth = image.Width() / close->SkinButton().Frame();
  // the pixel on the window: the pressed or the hot frame's, or (normal) neither of them
  const auto shows = [&](int frame) {
    const BmpImage picture = test::WindowImage(form_->Handle());
    const std::uint32_t seen = Rgb(picture, close->Rect().left + probe->x, close->Rect().top + probe->y);
    const std::uint32_t pressed = ImagePixel(image, frameWidth + probe->x, probe->y),
                        hot = ImagePixel(image, 2 * frameWidth + probe->x, probe->y);
    if (frame == kNCPressed) return seen == pressed;
    if (frame == kNCHot) return seen == hot;
    return seen != pressed && seen != hot;
  };
  EXPECT_TRUE(shows(kNCNormal));
  // the cursor is there too, or the hover timer would take the hot look away again
  const POINT at = ScreenPointOf(*object, *close);
  SetCursorPos(at.x, at.y);
  PostNcMouse(form_->Handle(), WM_NCMOUSEMOVE, at);
  ASSERT_TRUE(test::PumpUntil([&] { return close->State() == kNCHot; }));
  EXPECT_EQ(object->HotObject(), close);
  EXPECT_TRUE(shows(kNCHot)) << "hot";
  PostNcMouse(form_->Handle(), WM_NCLBUTTONDOWN, at);
  ASSERT_TRUE(test::PumpUntil([&] { return close->State() == kNCPressed; }));
  EXPECT_TRUE(shows(kNCPressed)) << "pressed";
  // slid off while held: normal again, and a release back on it does nothing
  PostNcMouse(form_->Handle(), WM_NCMOUSEMOVE, CaptionPoint());
  ASSERT_TRUE(test::PumpUntil([&] { return close->State() == kNCNormal; }));
  EXPECT_EQ(object->HotObject(), nullptr);
  EXPECT_TRUE(shows(kNCNormal)) << "left";
  PostNcMouse(form_->Handle(), WM_NCLBUTTONUP, at);
  test::PumpPending();
  EXPECT_TRUE(IsWindowVisible(form_->Handle()));
  // the hover timer notices a mouse that left without a message
  PostNcMouse(form_->Handle(), WM_NCMOUSEMOVE, at);
  ASSERT_TRUE(test::PumpUntil([&] { return close->State() == kNCHot; }));
  SetCursorPos(CaptionPoint().x, CaptionPoint().y + 200);
  EXPECT_TRUE(test::PumpUntil([&] { return close->State() == kNCNormal; }));
  // pressed and released on it: the window closes (our forms hide)
  ASSERT_TRUE(ClickCaptionButton(*object, kActionClose));
  EXPECT_TRUE(test::PumpUntil([&] { return !IsWindowVisible(form_->Handle()); }));
}

TEST_F(CaptionButtons, MaximiseAndRestoreSwapTheirButtonsAndTheCaptionsDoubleClickDoesTheSame) {
  MakeForm();
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  test::PumpPending();
  const RECT normal = WindowRect();
  const TSkinCaptionButton* maximize = CaptionButton(*object, kActionMaximize);
  ASSERT_NE(maximize, nullptr);
  EXPECT_EQ(maximize->SkinButton().Visibility(), 2) << "the maximise picture, shown when not maximised";

  ASSERT_TRUE(ClickCaptionButton(*object, kActionMaximize));
  ASSERT_TRUE(test::PumpUntil([&] { return IsZoomed(form_->Handle()) && object->WindowState() == kStateMaximized; }));
  test::PumpPending();
  // the whole skinned frame on the work area, the restore picture in the maximise button's place
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const RECT maximized = WindowRect();
  EXPECT_TRUE(EqualRect(&maximized, &work));
  const TSkinCaptionButton* restore = CaptionButton(*object, kActionMaximize);
  ASSERT_NE(restore, nullptr);
  EXPECT_EQ(restore->SkinButton().Visibility(), 1);
  EXPECT_GT(CountColour(test::WindowImage(form_->Handle()), object->TextRect(), 0xFFFFFF), 20) << "caption painted";
  ASSERT_TRUE(ClickCaptionButton(*object, kActionMaximize));
  ASSERT_TRUE(test::PumpUntil([&] { return !IsZoomed(form_->Handle()) && object->WindowState() == kStateNormal; }));
  RECT now = WindowRect();
  EXPECT_TRUE(EqualRect(&now, &normal));

  // a double click on the caption maximises, another one restores
  const POINT caption = CaptionPoint();
  PostNcMouse(form_->Handle(), WM_NCLBUTTONDBLCLK, caption);
  ASSERT_TRUE(test::PumpUntil([&] { return IsZoomed(form_->Handle()) != 0; }));
  test::PumpPending();
  PostNcMouse(form_->Handle(), WM_NCLBUTTONDBLCLK, CaptionPoint());
  ASSERT_TRUE(test::PumpUntil([&] { return !IsZoomed(form_->Handle()); }));
  test::PumpPending();
  now = WindowRect();
  EXPECT_TRUE(EqualRect(&now, &normal));
  EXPECT_EQ(object->RegionBuilds(), 5) << "adopted, then maximised and restored twice: one region per size";
}

TEST_F(CaptionButtons, MinimisedTheWindowShowsThePlatformsCaptionAndRestoredTheSkinsFrameAgain) {
  MakeForm();
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  test::PumpPending();
  const RECT normal = WindowRect();
  const LONG style = GetWindowLongW(form_->Handle(), GWL_STYLE);
  ASSERT_TRUE(ClickCaptionButton(*object, kActionMinimize));
  ASSERT_TRUE(test::PumpUntil([&] { return IsIconic(form_->Handle()) != 0; }));
  test::PumpPending();
  EXPECT_EQ(object->WindowState(), kStateMinimized);
  EXPECT_EQ(GetWindowLongW(form_->Handle(), GWL_STYLE) & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
            WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  ShowWindow(form_->Handle(), SW_RESTORE);
  ASSERT_TRUE(test::PumpUntil([&] { return object->WindowState() == kStateNormal; }));
  test::PumpPending();
  const RECT restored = WindowRect();
  EXPECT_TRUE(EqualRect(&restored, &normal));
  EXPECT_EQ(GetWindowLongW(form_->Handle(), GWL_STYLE), style);
  const BmpImage picture = test::WindowImage(form_->Handle());
  EXPECT_GT(CountColour(picture, object->TextRect(), 0xFFFFFF), 20);
  EXPECT_EQ(CountColour(picture, {0, 0, picture.width, picture.height}, 0xFF00FF), 0);
  const GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(form_->Handle(), region.Get()), COMPLEXREGION) << "shaped again";
}

TEST_F(CaptionButtons, ARightClickInTheCaptionOpensTheSkinsSystemMenuAndTheIconButtonToo) {
  MakeForm();
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  ASSERT_TRUE(skin_.SkinControls().Contains(TSkinControlType::xcSystemMenu));
  TPopupMenu* popup = object->SystemPopup();
  ASSERT_NE(popup, nullptr);
  int popups = 0;
  popup->OnPopup = TNotifyEvent([&](TObject*) { ++popups; });
  {
    test::MenuAnswerer escape(-1);
    PostNcMouse(form_->Handle(), WM_NCRBUTTONDOWN, CaptionPoint());
    ASSERT_TRUE(test::PumpUntil([&] { return escape.MenusSeen() == 1; }, test::kSkinWait));
    test::PumpPending();
  }
  EXPECT_EQ(popups, 1);
  // " Restore ", " Maximize ", " Minimize ", a separator, " Close ": restoring a normal window is off
  ASSERT_EQ(popup->Items()->Count(), 5);
  EXPECT_FALSE(popup->Items()->Items(0)->Enabled());
  EXPECT_TRUE(popup->Items()->Items(1)->Enabled());
  EXPECT_EQ(popup->Items()->Items(4)->Caption(), " Close ");

  // the icon button opens it too (once the double-click time has passed since the last one)
  test::PumpFor(GetDoubleClickTime() + 50);
  {
    test::MenuAnswerer escape(-1);
    ASSERT_TRUE(ClickCaptionButton(*object, kActionSystemMenu));
    ASSERT_TRUE(test::PumpUntil([&] { return escape.MenusSeen() == 1; }, test::kSkinWait));
  }
  EXPECT_EQ(popups, 2);
  // pressed again within the double-click time: a double click on the icon closes the window
  ASSERT_TRUE(ClickCaptionButton(*object, kActionSystemMenu));
  EXPECT_TRUE(test::PumpUntil([&] { return !IsWindowVisible(form_->Handle()); }));
  EXPECT_EQ(popups, 2);
}

TEST_F(CaptionButtons, AButtonOfTheSkinsOwnPostsItsActionAndADecorationNeverReacts) {
  // the minimise entry becomes the program's own button 40, the maximise entry a decoration
  for (const auto& entry : skin_.SysButtons()) {
    if (entry->Action() == kActionMinimize) {
      entry->SetAction(40);
      entry->SetVisibility1(0);
    } else if (entry->Action() == kActionMaximize && entry->Visibility() == 2) {
      entry->SetAction(-1);
      entry->SetVisibility1(0);
    }
  }
  MakeForm();
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  test::PumpPending();
  std::vector<WPARAM> actions;
  TWindowSubclass listener(form_->Handle(), [&](TMessage& m) {
    if (m.Msg == kSkinMsgCaptionAction) actions.push_back(m.WParam);
    return false;
  });
  const TSkinCaptionButton* own = CaptionButton(*object, 40);
  const TSkinCaptionButton* decoration = CaptionButton(*object, -1);
  ASSERT_NE(own, nullptr);
  ASSERT_NE(decoration, nullptr);
  ASSERT_TRUE(ClickCaptionButton(*object, 40));
  ASSERT_TRUE(test::PumpUntil([&] { return !actions.empty(); }));
  EXPECT_EQ(actions, std::vector<WPARAM>{40});
  // the decoration is caption: it drags the window and nothing else happens
  const POINT at = ScreenPointOf(*object, *decoration);
  EXPECT_EQ(SendMessageW(form_->Handle(), WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)), HTCAPTION);
  PostNcMouse(form_->Handle(), WM_NCMOUSEMOVE, at);
  test::PumpPending();
  EXPECT_EQ(decoration->State(), kNCNormal);
  EXPECT_FALSE(IsZoomed(form_->Handle()));
}

TEST_F(CaptionButtons, AWindowWithoutSystemMenuShowsNoCloseButton) {
  const HWND bare = CreateWindowExW(0, L"STATIC", L"no system menu", WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME, 150,
                                    150, 300, 200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(bare, nullptr);
  ShowWindow(bare, SW_SHOW);
  SetForegroundWindow(bare);
  manager_->SkinWindow(bare);
  TSkinForm* object = nullptr;
  ASSERT_TRUE(test::PumpUntil([&] { return (object = manager_->FindSkinForm(bare)) && object->ChildrenSkinned(); },
                              test::kSkinWait));
  RedrawWindow(bare, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  test::PumpPending();
  EXPECT_EQ(object->CaptionFlags() & kCaptionSystemMenu, 0);
  EXPECT_EQ(CaptionButton(*object, kActionClose), nullptr);
  EXPECT_EQ(CaptionButton(*object, kActionMaximize), nullptr);
  EXPECT_EQ(CaptionButton(*object, kActionMinimize), nullptr);
  RECT window{};
  GetWindowRect(bare, &window);
  EXPECT_EQ(SendMessageW(bare, WM_NCHITTEST, 0, MAKELPARAM(window.right - 20, window.top + 15)), HTCAPTION);
  DestroyWindow(bare);
}

}  // namespace
}  // namespace bus
