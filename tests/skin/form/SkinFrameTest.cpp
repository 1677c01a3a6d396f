// The skinned window frame under Wine with our default skin: geometry and styles, the messages the
// window's own procedure still sees, hit tests, activation painting, the window region, message
// boxes, and giving the frame back or changing it for another skin.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/WideText.h"
#include "framework/controls/Application.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/form/SkinForm.h"
#include "tests/skin/form/SkinFrameSupport.h"
#include "tests/support/MessageSequence.h"
#include "tests/support/WindowPicture.h"

namespace bus {
namespace {

using test::Expected;
using test::kOptional;
using test::ColorRef;
using test::CountColour;
using test::ImagePixel;
using test::MiddleRow;
using test::Rgb;
using test::ScreenPixel;

class SkinFrame : public test::SkinFrameFixture {};

TEST_F(SkinFrame, TheClientAreaKeepsItsSizeInsideTheSkinsFrameAndTheOwnedFormKeepsItsCaption) {
  MakeForm();
  manager_->SetActive(false);
  form_->Show();
  const LONG styleBefore = GetWindowLongW(form_->Handle(), GWL_STYLE);
  const RECT clientBefore = ClientRect();
  const RECT windowBefore = WindowRect();
  manager_->SetActive(true);
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);

  // frame widths: one frame of each border picture (sides side by side, top and bottom stacked)
  EXPECT_EQ(object->FrameLeft(), 4);
  EXPECT_EQ(object->FrameRight(), 4);
  EXPECT_EQ(object->FrameTop(), 30);
  EXPECT_EQ(object->FrameBottom(), 4);
  EXPECT_EQ(object->MenuHeight(), 0);
  const RECT client = ClientRect(), window = WindowRect();
  EXPECT_EQ(client.right, clientBefore.right);
  EXPECT_EQ(client.bottom, clientBefore.bottom);
  EXPECT_EQ(window.right - window.left, client.right + 8);
  EXPECT_EQ(window.bottom - window.top, client.bottom + 34);
  EXPECT_EQ(window.left, windowBefore.left) << "fitted where it stood";
  EXPECT_EQ(window.top, windowBefore.top);
  // the client area lies inside the skin's borders
  POINT origin{0, 0};
  ClientToScreen(form_->Handle(), &origin);
  EXPECT_EQ(origin.x - window.left, 4);
  EXPECT_EQ(origin.y - window.top, 30);

  // our forms are owned by the application window: they keep the caption style the platform wants
  // of an owned window and lose the system menu and the boxes the skin draws itself
  ASSERT_NE(object->OwnerWindow(), nullptr);
  const LONG style = GetWindowLongW(form_->Handle(), GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_EQ(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_EQ(style | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, styleBefore);
  EXPECT_EQ(object->CaptionFlags(), kCaptionSystemMenu | kCaptionMinimize | kCaptionMaximize);
}

TEST_F(SkinFrame, ABareOwnerlessWindowLosesItsCaptionButKeepsItsBoxesForTheTaskbar) {
  const HWND bare = CreateWindowExW(0, L"STATIC", L"ownerless", WS_OVERLAPPEDWINDOW, 120, 120, 300, 200, nullptr,
                                    nullptr, nullptr, nullptr);
  ASSERT_NE(bare, nullptr);
  ShowWindow(bare, SW_SHOW);
  SetForegroundWindow(bare);
  manager_->SkinWindow(bare);
  TSkinForm* object = nullptr;
  ASSERT_TRUE(test::PumpUntil([&] { return (object = manager_->FindSkinForm(bare)) && object->ChildrenSkinned(); },
                              test::kSkinWait));
  const LONG style = GetWindowLongW(bare, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, 0);
  EXPECT_EQ(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  EXPECT_TRUE(object->CaptionFlags() & kCaptionRemoved);
  // given back: the caption again
  SwitchOff();
  EXPECT_EQ(GetWindowLongW(bare, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
  DestroyWindow(bare);
}

// The frame messages as the window's own procedure sees them (a log beneath the skin) and as they
// arrive (a log in front of it).
const std::vector<UINT> kFrameMessages = {WM_STYLECHANGING,   WM_STYLECHANGED,    WM_WINDOWPOSCHANGING,
                                          WM_GETMINMAXINFO,   WM_NCCALCSIZE,      WM_NCPAINT,
                                          WM_NCACTIVATE,      WM_ACTIVATE,        WM_SIZE,
                                          WM_WINDOWPOSCHANGED};

TEST_F(SkinFrame, TheFramesMessagesNeverReachTheWindowsOwnPaintingAndASizeReachesItTwice) {
  MakeForm();
  manager_->SetActive(false);
  form_->Show();
  SetForegroundWindow(form_->Handle());
  test::PumpPending();
  manager_->SetActive(true);
  test::MessageLog inner(form_->Handle(), kFrameMessages);
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  test::PumpPending();
  // adoption: the styles stripped, the window fitted with its frame recomputed, the region set
  test::ExpectSequence(inner.Take(),
                       {{WM_STYLECHANGING},
                        {WM_STYLECHANGED},
                        {WM_WINDOWPOSCHANGING},
                        {WM_GETMINMAXINFO, kOptional},
                        {WM_NCCALCSIZE},
                        {WM_WINDOWPOSCHANGED},
                        {WM_SIZE, kOptional},
                        {WM_WINDOWPOSCHANGING, kOptional},
                        {WM_NCCALCSIZE, kOptional},
                        {WM_WINDOWPOSCHANGED, kOptional}},
                       "adoption, passed on");

  test::MessageLog outer(form_->Handle(), kFrameMessages);
  const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE | WS_CAPTION, 500, 400, 100, 100,
                                     nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  test::PumpPending();
  EXPECT_FALSE(object->Active());
  test::ExpectSequence(outer.Take(), {{WM_NCACTIVATE}, {WM_ACTIVATE}}, "deactivation, arriving");
  test::ExpectSequence(inner.Take(), {{WM_ACTIVATE}}, "deactivation, passed on");
  SetForegroundWindow(form_->Handle());
  test::PumpPending();
  EXPECT_TRUE(object->Active());
  test::ExpectSequence(outer.Take(), {{WM_NCACTIVATE}, {WM_ACTIVATE}}, "activation, arriving");
  test::ExpectSequence(inner.Take(), {{WM_ACTIVATE}}, "activation, passed on");
  DestroyWindow(other);
  test::PumpPending();
  outer.Take();
  inner.Take();

  SetWindowPos(form_->Handle(), nullptr, 0, 0, 420, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  test::PumpPending();
  test::ExpectSequence(outer.Take(),
                       {{WM_WINDOWPOSCHANGING},
                        {WM_GETMINMAXINFO, kOptional},
                        {WM_NCCALCSIZE},
                        {WM_NCPAINT, kOptional},
                        {WM_WINDOWPOSCHANGED},
                        {WM_SIZE},
                        // the new region
                        {WM_WINDOWPOSCHANGING},
                        {WM_NCCALCSIZE},
                        {WM_NCPAINT, kOptional},
                        {WM_WINDOWPOSCHANGED}},
                       "resize, arriving");
  test::ExpectSequence(inner.Take(),
                       {{WM_WINDOWPOSCHANGING},
                        {WM_GETMINMAXINFO, kOptional},
                        {WM_NCCALCSIZE},
                        {WM_WINDOWPOSCHANGED},
                        {WM_SIZE},
                        {WM_WINDOWPOSCHANGING},
                        {WM_NCCALCSIZE},
                        {WM_WINDOWPOSCHANGED},
                        {WM_SIZE}},
                       "resize, passed on: the size from both stages, no frame painting");
}

TEST_F(SkinFrame, AMessageBoxIsAdoptedAtItsActivationAndItsFrameMessagesStayWithTheSkin) {
  MakeForm();
  form_->Show();
  test::PumpPending();
  test::WindowLog inner(HCBT_ACTIVATE, [&](HWND w) { return w != form_->Handle(); }, kFrameMessages);
  bool checked = false;
  {
    test::BoxInspector inspector([&](HWND box) {
      ASSERT_EQ(inner.Window(), box);
      test::PumpPending();
      // the activation that adopted it: the styles the skin replaces come off at once, but until
      // the skin has skinned the box's children (a posted message) the frame is still the
      // platform's, so that activation and its paint go on to the box; then the box is fitted to
      // the skin's frame (its size reaching it from both stages) and its region set
      test::ExpectSequence(inner.Take(),
                           {{WM_STYLECHANGING},
                            {WM_STYLECHANGED},
                            {WM_NCACTIVATE},
                            {WM_ACTIVATE},
                            {WM_WINDOWPOSCHANGING, kOptional},
                            {WM_NCPAINT, kOptional},
                            {WM_WINDOWPOSCHANGED, kOptional},
                            // fitted
                            {WM_WINDOWPOSCHANGING},
                            {WM_NCCALCSIZE},
                            {WM_WINDOWPOSCHANGED},
                            {WM_SIZE},
                            {WM_SIZE},
                            // the region
                            {WM_WINDOWPOSCHANGING},
                            {WM_NCCALCSIZE},
                            {WM_WINDOWPOSCHANGED}},
                           "message box adoption, passed on");
      // repainting and deactivating the frame: nothing of it reaches the box's own procedure
      RedrawWindow(box, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
      SendMessageW(box, WM_NCACTIVATE, FALSE, 0);
      SendMessageW(box, WM_NCACTIVATE, TRUE, 0);
      test::PumpPending();
      test::ExpectSequence(inner.Take(), {}, "message box frame painted, passed on");
      checked = true;
    });
    MessageBoxW(form_->Handle(), L"盒子", L"提示", MB_OK);
    EXPECT_TRUE(inspector.Inspected());
  }
  EXPECT_TRUE(checked);
}

TEST_F(SkinFrame, HitTestsFollowTheSkinsGeometryAtEverySize) {
  MakeForm();
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  for (const SIZE size : {SIZE{360, 247}, SIZE{520, 330}}) {
    SetWindowPos(form_->Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    test::PumpPending();
    const RECT window = WindowRect();
    const int w = window.right - window.left, h = window.bottom - window.top;
    ASSERT_EQ(w, size.cx);
    struct Probe {
      POINT at;  // window coordinates
      LRESULT code;
      const char* what;
    };
    const Probe probes[] = {
        {{w / 2, 15}, HTCAPTION, "caption"},
        {{w / 2, 29}, HTCAPTION, "caption, last row"},
        {{w / 2, 1}, HTTOP, "the caption's top rows size the window"},
        {{1, h / 2}, HTLEFT, "left border"},
        {{w - 2, h / 2}, HTRIGHT, "right border"},
        {{w / 2, h - 2}, HTBOTTOM, "bottom border"},
        {{0, 0}, HTTOPLEFT, "top-left corner"},
        {{w - 1, 0}, HTTOPRIGHT, "top-right corner"},
        {{0, h - 1}, HTBOTTOMLEFT, "bottom-left corner"},
        {{w - 1, h - 1}, HTBOTTOMRIGHT, "bottom-right corner"},
        {{w - 20, 15}, HTCLOSE, "close button"},
        {{w - 50, 15}, HTMAXBUTTON, "maximise button"},
        {{w - 80, 15}, HTMINBUTTON, "minimise button"},
        {{17, 15}, HTSYSMENU, "system-menu button"},
        {{w / 2, h / 2}, HTCLIENT, "client area"},
        {{4, 30}, HTCLIENT, "first client pixel"},
    };
    for (const Probe& p : probes) {
      const LRESULT code = SendMessageW(form_->Handle(), WM_NCHITTEST, 0,
                                        MAKELPARAM(window.left + p.at.x, window.top + p.at.y));
      EXPECT_EQ(code, p.code) << p.what << " at " << p.at.x << "," << p.at.y << " of " << w << "x" << h;
    }
  }
  // maximised, the borders no longer size the window and the caption no longer drags it
  ShowWindow(form_->Handle(), SW_MAXIMIZE);
  ASSERT_TRUE(test::PumpUntil([&] { return object->WindowState() == kStateMaximized; }));
  const RECT window = WindowRect();
  EXPECT_EQ(SendMessageW(form_->Handle(), WM_NCHITTEST, 0, MAKELPARAM(window.left + 1, window.top + 100)), HTBORDER);
  EXPECT_EQ(SendMessageW(form_->Handle(), WM_NCHITTEST, 0, MAKELPARAM(window.left + 200, window.top + 1)), HTCAPTION);
}

TEST_F(SkinFrame, TheFrameShowsTheActiveAndInactivePicturesAndCaptionColoursAlsoAfterANewTitle) {
  MakeForm();
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  form_->SetCaption("公交车 adopted");
  test::PumpPending();
  const auto probe = [&](const char* when, bool active) {
    SCOPED_TRACE(when);
    // a side border's middle: its picture's frame 1 or 2 (frames side by side, four pixels wide)
    const int frame = active ? 0 : 4;
    const std::uint32_t side = ImagePixel(skin_.Left()->Image(), frame + 1, MiddleRow(*skin_.Left()));
    // the caption text in its colour, the other one nowhere in the caption
    const RECT text = object->TextRect();
    const std::uint32_t want = active ? 0xFFFFFF : 0xE3E9EC, other = active ? 0xE3E9EC : 0xFFFFFF;
    const BmpImage picture = test::WindowImageWhen(
        form_->Handle(),
        [&](const BmpImage& p) { return Rgb(p, 1, p.height / 2) == side && CountColour(p, text, want) > 20; },
        test::kSkinWait);
    const int w = picture.width, h = picture.height;
    EXPECT_EQ(Rgb(picture, 1, h / 2), side);
    EXPECT_EQ(Rgb(picture, w - 2, h / 2), ImagePixel(skin_.Right()->Image(), frame + 2, MiddleRow(*skin_.Right())));
    EXPECT_GT(CountColour(picture, text, want), 20);
    EXPECT_EQ(CountColour(picture, text, other), 0);
    EXPECT_EQ(CountColour(picture, {0, 0, w, h}, 0xFF00FF), 0) << "no magenta anywhere";
    // no caption of the platform's: its caption colours never show in the strip
    EXPECT_EQ(CountColour(picture, {0, 0, w, 30}, ColorRef(GetSysColor(active ? COLOR_ACTIVECAPTION
                                                                            : COLOR_INACTIVECAPTION))),
              0);
  };
  probe("active", true);
  const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 700, 500, 50, 50, nullptr,
                                     nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  ASSERT_TRUE(test::PumpUntil([&] { return !object->Active(); }));
  test::PumpPending();
  probe("inactive", false);
  // a new title: the platform paints its own caption for it; the skin's goes over it at once
  SetWindowTextW(form_->Handle(), L"新标题 inactive");
  probe("inactive, new title", false);
  SetForegroundWindow(form_->Handle());
  ASSERT_TRUE(test::PumpUntil([&] { return object->Active(); }));
  test::PumpPending();
  SetWindowTextW(form_->Handle(), L"新标题 active");
  probe("active, new title", true);
  DestroyWindow(other);
}

TEST_F(SkinFrame, TheRegionCutsTheMagentaCornersAndIsBuiltOnlyWhenTheSizeChanges) {
  MakeForm();
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  test::PumpPending();
  const auto inRegion = [&](int x, int y) {
    const GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_NE(GetWindowRgn(form_->Handle(), region.Get()), ERROR);
    return PtInRegion(region.Get(), x, y) != FALSE;
  };
  RECT window = WindowRect();
  int w = window.right - window.left, h = window.bottom - window.top;
  // our border pictures round every corner by magenta pixels
  EXPECT_FALSE(inRegion(0, 0));
  EXPECT_FALSE(inRegion(w - 1, 0));
  EXPECT_FALSE(inRegion(0, h - 1));
  EXPECT_FALSE(inRegion(w - 1, h - 1));
  EXPECT_TRUE(inRegion(3, 3));
  EXPECT_TRUE(inRegion(w - 4, 3));
  EXPECT_TRUE(inRegion(w / 2, 0));
  EXPECT_TRUE(inRegion(0, h / 2));
  EXPECT_TRUE(inRegion(w / 2, h / 2));
  // on the screen the corner shows what lies beside the window, not the frame
  const BmpImage picture = test::WindowImage(form_->Handle());
  const std::uint32_t beside = ScreenPixel(window.left - 1, window.top);
  EXPECT_EQ(Rgb(picture, 0, 0), beside);
  EXPECT_NE(Rgb(picture, 3, 3), beside);

  const int builds = object->RegionBuilds();
  EXPECT_EQ(builds, 1);
  // moving, activating and repainting keep the region
  SetWindowPos(form_->Handle(), nullptr, window.left + 20, window.top + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  SendMessageW(form_->Handle(), WM_NCACTIVATE, FALSE, 0);
  SendMessageW(form_->Handle(), WM_NCACTIVATE, TRUE, 0);
  test::PumpPending();
  EXPECT_EQ(object->RegionBuilds(), builds);
  // a new size, a new region, its corners where the window now ends
  SetWindowPos(form_->Handle(), nullptr, 0, 0, 400, 280, SWP_NOMOVE | SWP_NOZORDER);
  test::PumpPending();
  EXPECT_EQ(object->RegionBuilds(), builds + 1);
  window = WindowRect();
  w = window.right - window.left;
  h = window.bottom - window.top;
  EXPECT_FALSE(inRegion(w - 1, h - 1));
  EXPECT_TRUE(inRegion(w - 4, h - 4));
  EXPECT_FALSE(inRegion(w, h / 2)) << "nothing beyond the window";
}

// At start-up the window is adopted at its first activation, before its first paint: the fitting
// and the region then paint nothing at once (each would erase the window and every child), and the
// one paint that follows draws the whole skinned window.
TEST_F(SkinFrame, AWindowAdoptedBeforeItsFirstPaintIsFittedWithoutPaintingAndThenPaintedWhole) {
  MakeForm();
  manager_->SetActive(false);
  test::PumpPending();
  form_->Show();
  SetForegroundWindow(form_->Handle());
  manager_->SetActive(true);
  ASSERT_TRUE(manager_->SkinWindow(form_->Handle()));
  TSkinForm* object = manager_->FindSkinForm(form_->Handle());
  ASSERT_NE(object, nullptr);
  ASSERT_TRUE(object->AwaitsFirstPaint());
  const std::vector<UINT> painting = {WM_NCPAINT, WM_ERASEBKGND, WM_PAINT};
  test::MessageLog frame(form_->Handle(), painting), child(panel_->Handle(), painting);
  MSG request{};
  ASSERT_TRUE(PeekMessageW(&request, form_->Handle(), kSkinMsgSkinControls, kSkinMsgSkinControls, PM_REMOVE));
  DispatchMessageW(&request);
  ASSERT_TRUE(object->ChildrenSkinned());
  ASSERT_TRUE(object->HasRegion());
  test::ExpectSequence(frame.Take(), {}, "the form while it is fitted");
  test::ExpectSequence(child.Take(), {}, "a child while the form is fitted");
  EXPECT_TRUE(object->AwaitsFirstPaint()) << "still wholly waiting for its paint";

  test::PumpPending();
  test::ExpectSequence(frame.Take(), {{WM_PAINT}, {WM_NCPAINT}, {WM_ERASEBKGND, kOptional}}, "the form's first paint");
  test::ExpectSequence(child.Take(), {{WM_PAINT}, {WM_NCPAINT, kOptional}, {WM_ERASEBKGND, kOptional}},
                       "the child's first paint");
  RECT left{};
  EXPECT_FALSE(GetUpdateRect(form_->Handle(), &left, FALSE));
  const BmpImage picture = test::WindowImage(form_->Handle());
  EXPECT_EQ(Rgb(picture, 1, picture.height / 2), ImagePixel(skin_.Left()->Image(), 1, MiddleRow(*skin_.Left())));
  EXPECT_EQ(CountColour(picture, {0, 0, picture.width, picture.height}, 0xFF00FF), 0) << "no magenta anywhere";
}

TEST_F(SkinFrame, AMessageBoxIsWidenedToItsCaptionWithItsButtonStillCentredInside) {
  MakeForm();
  form_->Show();
  const std::wstring caption = L"这是一个标题很长很长的消息框，比它的文字宽得多 — a very long caption";
  bool checked = false;
  {
    test::BoxInspector inspector([&](HWND box) {
      TSkinForm* object = manager_->FindSkinForm(box);
      ASSERT_NE(object, nullptr);
      ASSERT_TRUE(object->FrameSkinning());
      EXPECT_EQ(object->BorderStyle(), kBorderDialog);
      test::PumpPending();
      RECT window{}, client{};
      GetWindowRect(box, &window);
      GetClientRect(box, &client);
      // as wide as the title's margins and the caption text need
      int textWidth = 0;
      {
        const WindowDC dc(box);
        const DcSelection font(dc.Get(), object->CaptionFont().Handle());
        SIZE extent{};
        GetTextExtentPoint32W(dc.Get(), caption.c_str(), int(caption.size()), &extent);
        textWidth = extent.cx;
      }
      const TDataSkinTitle& title = *skin_.Title();
      EXPECT_GE(window.right - window.left, title.LeftWidth() + textWidth + title.RightWidth());
      EXPECT_EQ(window.bottom - window.top, client.bottom + 34);
      // the OK button moved with the others: still inside and in the middle (as near it as the box
      // placed it; unshifted it would sit a hundred pixels left of it)
      const HWND ok = GetDlgItem(box, IDOK);
      ASSERT_NE(ok, nullptr);
      RECT button{};
      GetWindowRect(ok, &button);
      MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&button), 2);
      EXPECT_GE(button.left, 0);
      EXPECT_LE(button.right, client.right);
      EXPECT_LE(std::abs((button.left + button.right) - client.right), 8);
      // the caption painted by the skin, no magenta anywhere
      const BmpImage picture = test::WindowImage(box);
      EXPECT_EQ(CountColour(picture, {0, 0, picture.width, picture.height}, 0xFF00FF), 0);
      EXPECT_GT(CountColour(picture, object->TextRect(), 0xFFFFFF), 20);
      checked = true;
    });
    MessageBoxW(form_->Handle(), L"短", caption.c_str(), MB_OK);
    EXPECT_TRUE(inspector.Inspected());
  }
  EXPECT_TRUE(checked);
}

TEST_F(SkinFrame, SwitchingOffGivesBackStylesClientSizeAndRegionExactly) {
  MakeForm();
  manager_->SetActive(false);
  form_->Show();
  const LONG style = GetWindowLongW(form_->Handle(), GWL_STYLE);
  const RECT client = ClientRect(), window = WindowRect();
  manager_->SetActive(true);
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  ASSERT_TRUE(object->HasRegion());
  SwitchOff();
  test::PumpPending();
  EXPECT_EQ(GetWindowLongW(form_->Handle(), GWL_STYLE), style);
  const RECT clientAfter = ClientRect(), windowAfter = WindowRect();
  EXPECT_EQ(clientAfter.right, client.right);
  EXPECT_EQ(clientAfter.bottom, client.bottom);
  EXPECT_TRUE(EqualRect(&windowAfter, &window));
  const GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(form_->Handle(), region.Get()), ERROR) << "no region";
}

TEST_F(SkinFrame, AnotherSkinFileChangesTheFrameAroundTheSameClientArea) {
  MakeForm();
  TSkinForm* object = Adopt();
  ASSERT_NE(object, nullptr);
  test::PumpPending();
  const RECT client = ClientRect();
  const std::uint32_t leftBefore = Rgb(test::WindowImage(form_->Handle()), 1, 150);
  const int builds = object->RegionBuilds();

  LoadSkinFile(skin_, test::BinaryDir() / "night.skn");
  RunCommand(kSkinRefresh);
  test::PumpPending();
  // the night skin's borders: 3 wide at the sides, a caption strip of 24, 6 at the bottom
  EXPECT_EQ(object->FrameLeft(), 3);
  EXPECT_EQ(object->FrameRight(), 3);
  EXPECT_EQ(object->FrameTop(), 24);
  EXPECT_EQ(object->FrameBottom(), 6);
  EXPECT_EQ(object->Life(), kLifeReady);
  const RECT clientAfter = ClientRect(), window = WindowRect();
  EXPECT_EQ(clientAfter.right, client.right);
  EXPECT_EQ(clientAfter.bottom, client.bottom);
  EXPECT_EQ(window.right - window.left, client.right + 6);
  EXPECT_EQ(window.bottom - window.top, client.bottom + 30);
  EXPECT_GT(object->RegionBuilds(), builds);
  EXPECT_EQ(object->CaptionButtons().size(), skin_.SysButtons().size());
  // painted from the night pictures
  const std::uint32_t side = ImagePixel(skin_.Left()->Image(), 1, MiddleRow(*skin_.Left()));
  const BmpImage picture = test::WindowImageWhen(
      form_->Handle(), [&](const BmpImage& p) { return Rgb(p, 1, 150) == side; }, test::kSkinWait);
  EXPECT_EQ(Rgb(picture, 1, 150), side);
  EXPECT_NE(Rgb(picture, 1, 150), leftBefore);
  EXPECT_EQ(CountColour(picture, {0, 0, picture.width, picture.height}, 0xFF00FF), 0);
  // and its hit tests from the new geometry
  EXPECT_EQ(SendMessageW(form_->Handle(), WM_NCHITTEST, 0, MAKELPARAM(window.left + 150, window.top + 26)), HTCLIENT);
}

}  // namespace
}  // namespace bus
