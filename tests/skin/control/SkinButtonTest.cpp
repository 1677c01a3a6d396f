// Push, glyph and speed buttons under the skin, on the screen: the frame each state shows (read
// back as the colour of that frame in a skin of flat-coloured frames), what a press, a release, a
// leave and the Space key give (one click, or none), the one hot button of a form, the press as the
// program hears it with and without the skin, and a message box's bare buttons, which still answer
// the box.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "framework/controls/Application.h"
#include "framework/controls/BitBtn.h"
#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/WindowSubclass.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/SkinBitButton.h"
#include "skin/control/SkinButton.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"
#include "tests/skin/control/ButtonSkinFixture.h"
#include "tests/support/SkinWindowsSupport.h"

namespace bus {
namespace {

using test::ButtonSkinTest;
using test::Shown;

int Count(const std::vector<std::string>& events, const std::string& event) {
  return int(std::count(events.begin(), events.end(), event));
}

POINT ScreenCentre(const TControl& control) {
  const RECT r = control.ClientRect();
  return control.ClientToScreen({r.right / 2, r.bottom / 2});
}

TEST_F(ButtonSkinTest, PushAndGlyphButtonsShowTheFrameOfTheirState) {
  Adopt();
  auto& normal = form_->Get<TButton>("btnNormal");
  auto& byDefault = form_->Get<TButton>("btnDefault");
  auto& focused = form_->Get<TButton>("btnFocused");
  form_->Get<TCheckBox>("cbOff").SetFocus();
  test::PumpPending();
  EXPECT_EQ(FaceOf(normal), "buttons 1");
  EXPECT_EQ(FaceOf(byDefault), "buttons 5");
  EXPECT_EQ(FaceOf(form_->Get<TButton>("btnDisabled")), "buttons 3");
  EXPECT_EQ(FaceOf(focused), "buttons 1");

  focused.SetFocus();
  test::PumpPending();
  EXPECT_EQ(FaceOf(focused), "buttons 4") << "focused";
  byDefault.SetFocus();
  test::PumpPending();
  EXPECT_EQ(FaceOf(byDefault), "buttons 5") << "a focused default button shows the default frame";
  EXPECT_EQ(FaceOf(focused), "buttons 1");

  // the pointer over it; a disabled button never turns hot
  test::MoveCursor(ScreenCentre(normal));
  EXPECT_TRUE(test::PumpUntil([&] { return FaceOf(normal) == "buttons 4"; })) << FaceOf(normal);
  test::MoveCursor(ScreenCentre(form_->Get<TButton>("btnDisabled")));
  EXPECT_TRUE(test::PumpUntil([&] { return FaceOf(normal) == "buttons 1"; })) << "left: " << FaceOf(normal);
  EXPECT_EQ(FaceOf(form_->Get<TButton>("btnDisabled")), "buttons 3");

  Press(normal);
  EXPECT_EQ(FaceOf(normal), "buttons 2") << "pressed";
  Release(normal);
  test::PumpPending();
  EXPECT_EQ(FaceOf(normal), "buttons 4") << "released: focused";

  // glyph buttons: focus wins over default
  auto& ok = form_->Get<TBitBtn>("bbOK");
  EXPECT_EQ(FaceOf(ok), "buttons 5");
  ok.SetFocus();
  test::PumpPending();
  EXPECT_EQ(FaceOf(ok), "buttons 4");
  EXPECT_EQ(FaceOf(form_->Get<TBitBtn>("bbCancel")), "buttons 3");

  // "||" in a caption is a line break, and the caption so shown is the wrapper's
  auto& twoLines = form_->Get<TButton>("btnTwoLines");
  auto* wrapper = dynamic_cast<TSkinButton*>(twoLines.Components(0));
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(wrapper->Caption(), L"两行\r\n标题");
}

// A disabled glyph button whose strip has no disabled frame (any count but 4) shows its first frame
// greyed; a strip of 4 has its own.
TEST(SkinGlyph, ADisabledGlyphIsTheFirstFrameGreyedUnlessTheStripHasFour) {
  const auto strip = [](int frames) {
    BmpImage image(4 * frames, 4);
    // red, green, blue, yellow: greyed, the first two differ too
    const std::uint32_t colours[] = {0xFFC00000, 0xFF00F000, 0xFF0000C0, 0xFFC0C000};
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4 * frames; ++x) image.SetPixel(x, y, x % 4 == 0 && y == 3 ? 0xFFFF00FF : colours[x / 4]);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->FromImage(image, pf24bit);
    return bitmap;
  };
  const auto drawn = [](const TBitmap& glyph, int frames, int state) {
    TBitmap surface(8, 8);
    const RECT all{0, 0, 8, 8};
    FillRect(surface.Canvas().Handle(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    TSkinBitButton::DrawGlyph(surface.Canvas().Handle(), RECT{2, 2, 6, 6}, frames, state, glyph);
    return std::pair{GetPixel(surface.Canvas().Handle(), 4, 3), GetPixel(surface.Canvas().Handle(), 2, 5)};
  };
  const auto two = strip(2), four = strip(4);
  EXPECT_EQ(drawn(*two, 2, 1).first, RGB(0xC0, 0, 0)) << "up: the first frame";
  EXPECT_EQ(drawn(*two, 2, 2).first, RGB(0x40, 0x40, 0x40)) << "disabled: the first frame greyed, not the second";
  EXPECT_EQ(drawn(*two, 2, 2).second, RGB(0xFF, 0xFF, 0xFF)) << "its bottom-left colour is transparent";
  EXPECT_EQ(drawn(*four, 4, 2).first, RGB(0x50, 0x50, 0x50)) << "the strip's own disabled frame, greyed";
  EXPECT_EQ(drawn(*four, 4, 3).first, RGB(0, 0, 0xC0)) << "clicked: the third frame";
}

TEST_F(ButtonSkinTest, APressReleasedOverTheButtonClicksOnceAndALeaveCancelsIt) {
  Adopt();
  auto& normal = form_->Get<TButton>("btnNormal");
  const auto clicks = [&] { return Count(form_->Events, "click btnNormal"); };

  test::MoveCursor(ScreenCentre(normal));
  Press(normal);
  Release(normal);
  test::PumpPending();
  EXPECT_EQ(clicks(), 1) << "press and release inside";

  // press, the pointer leaves (the application tells the control), release out there
  Press(normal);
  test::MoveCursor(test::kAway);
  EXPECT_TRUE(test::PumpUntil([&] { return FaceOf(normal) != "buttons 2"; })) << "the leave draws it released";
  Release(normal, {-20, -20});
  test::PumpPending();
  EXPECT_EQ(clicks(), 1) << "press, leave, release";
  // moves under the capture away from the button do not make it hot
  Press(normal);
  SendMessageW(normal.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-30, 5));
  Release(normal, {-30, 5});
  test::PumpPending();
  EXPECT_EQ(clicks(), 1) << "released beside the button";
  auto* wrapper = dynamic_cast<TSkinButton*>(normal.Components(0));
  ASSERT_NE(wrapper, nullptr);
  EXPECT_FALSE(wrapper->Hot());

  // Space is the button's own: one click on its release, drawn pressed while it is down
  normal.SetFocus();
  SendMessageW(normal.Handle(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(FaceOf(normal), "buttons 2");
  SendMessageW(normal.Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
  test::PumpPending();
  EXPECT_EQ(clicks(), 2) << "Space";
  EXPECT_EQ(FaceOf(normal), "buttons 4");
  // BM_CLICK (what accelerators and other programs send) is a press and release at the corner
  SendMessageW(normal.Handle(), BM_CLICK, 0, 0);
  test::PumpPending();
  EXPECT_EQ(clicks(), 3) << "BM_CLICK";

  // a speed button's own press logic still decides
  auto& speed = form_->Get<TSpeedButton>("sbRaised");
  Press(speed);
  Release(speed);
  test::PumpPending();
  EXPECT_EQ(Count(form_->Events, "click sbRaised"), 1);
  Press(speed);
  Release(speed, {-20, -20});
  test::PumpPending();
  EXPECT_EQ(Count(form_->Events, "click sbRaised"), 1);
}

TEST_F(ButtonSkinTest, SpeedButtonsFlatHotDownAndDownWhileDisabled) {
  Adopt();
  auto& flat = form_->Get<TSpeedButton>("sbFlat");
  EXPECT_EQ(FaceOf(form_->Get<TSpeedButton>("sbRaised")), "buttons 1");
  EXPECT_EQ(FaceOf(flat), "face") << "a flat button shows only the face";
  EXPECT_EQ(FaceOf(form_->Get<TSpeedButton>("sbDown")), "buttons 2");
  EXPECT_EQ(FaceOf(form_->Get<TSpeedButton>("sbDownDisabled")), "buttons 2") << "down wins over disabled";
  EXPECT_EQ(FaceOf(form_->Get<TSpeedButton>("sbDisabled")), "buttons 3");

  test::MoveCursor(ScreenCentre(flat));
  EXPECT_TRUE(test::PumpUntil([&] { return FaceOf(flat) == "buttons 4"; })) << FaceOf(flat);
  Press(flat);
  EXPECT_EQ(FaceOf(flat), "buttons 2");
  Release(flat);
  test::PumpPending();
  EXPECT_EQ(FaceOf(flat), "buttons 4");
  EXPECT_EQ(Count(form_->Events, "click sbFlat"), 1);
  test::MoveCursor(test::kAway);
  EXPECT_TRUE(test::PumpUntil([&] { return FaceOf(flat) == "face"; })) << FaceOf(flat);

  // a button made down by the program shows it at once
  auto& raised = form_->Get<TSpeedButton>("sbRaised");
  raised.SetGroupIndex(5);
  raised.SetDown(true);
  test::PumpPending();
  EXPECT_EQ(FaceOf(raised), "buttons 2");
}

// Bare windows hear no enter or leave from the widget layer: the mouse moves make a button hot, and
// the next hot button tells the previous one that the mouse left. A control object hears only the
// leaves that follow its own enter.
TEST_F(ButtonSkinTest, OneButtonOfAFormIsHot) {
  TSkinForm& object = Adopt();
  auto& normal = form_->Get<TButton>("btnNormal");
  auto& focused = form_->Get<TButton>("btnFocused");
  form_->Get<TCheckBox>("cbOff").SetFocus();  // no button shows the focused look
  SendMessageW(normal.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(FaceOf(normal), "buttons 4");
  ASSERT_NE(object.HotButton(), nullptr);
  EXPECT_EQ(object.HotButton()->Handle(), normal.Handle());
  SendMessageW(focused.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(FaceOf(focused), "buttons 4");
  EXPECT_EQ(FaceOf(normal), "buttons 1") << "no longer hot";
  EXPECT_EQ(object.HotButton()->Handle(), focused.Handle());
  EXPECT_EQ(Count(form_->Events, "leave btnNormal"), 0) << "the pointer never was over it";
}

TEST_F(ButtonSkinTest, APressReachesTheProgramAsWithoutTheSkin) {
  const std::vector<UINT> watched = {WM_LBUTTONDOWN, WM_LBUTTONUP, BM_SETSTATE, WM_CAPTURECHANGED};
  const auto press = [](TControl& button) {
    Press(button);
    Release(button);
  };
  const std::vector<std::string> journals[2] = {Journal(false, "btnNormal", watched, press),
                                                Journal(true, "btnNormal", watched, press)};
  // the platform's button takes the press, draws it and clicks on the release
  EXPECT_EQ(journals[0], (std::vector<std::string>{"WM_LBUTTONDOWN", "down btnNormal", "BM_SETSTATE", "WM_LBUTTONUP",
                                                   "up btnNormal", "BM_SETSTATE", "WM_CAPTURECHANGED",
                                                   "click btnNormal"}));
  // under the skin the press is the wrapper's (the platform's button neither draws nor clicks), yet
  // the program hears down, up and click in the same order
  EXPECT_EQ(journals[1], (std::vector<std::string>{"down btnNormal", "WM_LBUTTONUP", "up btnNormal",
                                                   "WM_CAPTURECHANGED", "click btnNormal"}));
}

// A message box's buttons are bare windows: drawn by state, and a click still posts BN_CLICKED to
// the box, which closes with that button's answer.
TEST_F(ButtonSkinTest, AMessageBoxsBareButtonsAreSkinnedAndAnswerTheBox) {
  manager_->InstallHook();
  Adopt();
  for (const int answer : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(answer == IDOK ? "OK" : "Cancel");
    int step = 0;
    std::vector<WPARAM> commands;  // the box's WM_COMMAND notifications
    std::unique_ptr<TWindowSubclass> listener;
    test::ThreadTimer driver(30, [&] {
      const HWND box = FindWindowW(L"#32770", nullptr);
      if (!box || !IsWindowVisible(box)) return;
      const TSkinForm* object = manager_->FindSkinForm(box);
      if (!object || !object->ChildrenSkinned()) return;
      const HWND ok = GetDlgItem(box, IDOK), cancel = GetDlgItem(box, IDCANCEL);
      const auto press = [](HWND b) { SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10)); };
      const auto release = [](HWND b) { SendMessageW(b, WM_LBUTTONUP, 0, MAKELPARAM(10, 10)); };
      if (step == 0) {
        ++step;
        listener = std::make_unique<TWindowSubclass>(box, [&](TMessage& m) {
          if (m.Msg == WM_COMMAND) commands.push_back(m.WParam);
          return false;
        });
        UpdateWindow(box);
        EXPECT_EQ(test::ShownIn(ok, {3, 3}), "buttons 5") << "the default button";
        EXPECT_EQ(test::ShownIn(cancel, {3, 3}), "buttons 1");
        SendMessageW(cancel, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
        EXPECT_EQ(test::ShownIn(cancel, {3, 3}), "buttons 4") << "hot";
        SendMessageW(ok, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
        EXPECT_EQ(test::ShownIn(ok, {3, 3}), "buttons 4");
        EXPECT_EQ(test::ShownIn(cancel, {3, 3}), "buttons 1") << "one hot button";
        EnableWindow(cancel, FALSE);
        EXPECT_EQ(test::ShownIn(cancel, {3, 3}), "buttons 3") << "disabled";
        EnableWindow(cancel, TRUE);
        // press, leave (as the next hot button tells it), release: nothing
        press(ok);
        EXPECT_EQ(test::ShownIn(ok, {3, 3}), "buttons 2") << "pressed";
        SendMessageW(ok, CM_MOUSELEAVE, 0, 0);
        release(ok);
        EXPECT_EQ(test::ShownIn(ok, {3, 3}), "buttons 5");
      } else if (step == 1) {
        ++step;
        EXPECT_TRUE(commands.empty()) << "no click after a leave";
        const HWND chosen = answer == IDOK ? ok : cancel;
        press(chosen);
        release(chosen);
      }
    });
    const int result = Application->MessageBox("没有直达的线路，要查换乘方案吗？", "提示", MB_OKCANCEL);
    EXPECT_EQ(step, 2);
    EXPECT_EQ(result, answer);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0], MAKEWPARAM(answer, BN_CLICKED));
  }
}

}  // namespace
}  // namespace bus
