// The edit and spin-button wrappers under Wine with our default skin: the flat ring in place of an
// edit's stock border (a client edge, or the one-pixel border an edit paints itself) in every state,
// none on a box without a border; typing, selection, caret and the context menu as without the
// wrapper; the spin buttons from the skin (or plain without it), still stepping their buddy; the
// spin button inside a picker found at the first paint.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/DateTimePicker.h"
#include "framework/controls/Edit.h"
#include "framework/controls/UpDown.h"
#include "framework/graphics/Bitmap.h"
#include "skin/control/SkinDrawing.h"
#include "skin/control/SkinEdit.h"
#include "skin/control/SkinUpDown.h"
#include "skin/data/SkinData.h"
#include "tests/skin/control/WrapperFixture.h"
#include "tests/support/MenuAnswerer.h"
#include "tests/support/MessageSequence.h"
#include "tests/support/SkinWindowsSupport.h"

namespace bus {
namespace {

using test::Rgb;
using test::Screen;

constexpr std::uint32_t kWhite = 0xFFFFFF;

class SkinEditTest : public test::SkinnedFormTest {
protected:
  // A wrapper on the edit's window, owned by the edit, as the control selection attaches it.
  TSkinEdit* Skin(TWinControl& edit) {
    auto* wrapper = new TSkinEdit(&edit);
    wrapper->AttachWindow(edit.Handle(), skin_.get(), &host_, &canvas_);
    test::PumpPending();
    return wrapper;
  }
  // Whether the outermost ring of the picture is all `outer` and the next one all `inner`.
  static std::string Ring(const BmpImage& shot, std::uint32_t outer, std::uint32_t inner) {
    for (int ring = 0; ring < 2; ++ring) {
      const std::uint32_t want = ring == 0 ? outer : inner;
      const int l = ring, t = ring, r = shot.width - 1 - ring, b = shot.height - 1 - ring;
      for (int x = l; x <= r; ++x)
        for (int y : {t, b})
          if ((shot.Pixel(x, y) & 0xFFFFFF) != want) return "ring " + std::to_string(ring) + " at " + std::to_string(x) + "," + std::to_string(y);
      for (int y = t; y <= b; ++y)
        for (int x : {l, r})
          if ((shot.Pixel(x, y) & 0xFFFFFF) != want) return "ring " + std::to_string(ring) + " at " + std::to_string(x) + "," + std::to_string(y);
    }
    return {};
  }
};

// --- the ring -------------------------------------------------------------------------------

TEST_F(SkinEditTest, AnEditWithAClientEdgeWearsTheRingInPlaceOfItsStockBorderFocusedOrDisabled) {
  auto* edit = Place(new TEdit(form_), 20, 20, 121, 21);
  edit->SetText("线路 600");
  ASSERT_EQ(GetWindowLongPtrW(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
  Skin(*edit);
  const std::uint32_t shadow = Rgb(skin_->ButtonShadow());
  EXPECT_EQ(Ring(Screen(edit->Handle()), shadow, kWhite), "");
  // the text is still the edit's own
  EXPECT_TRUE(test::InkExtent(Screen(edit->Handle()), {4, 4, 117, 17}, {kWhite}).found);

  // a frame paint (focus, a frame change) brings the ring back, never the stock border
  edit->SetFocus();
  SetWindowPos(edit->Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  test::PumpPending();
  EXPECT_EQ(GetFocus(), edit->Handle());
  EXPECT_EQ(Ring(Screen(edit->Handle()), shadow, kWhite), "");

  edit->SetEnabled(false);
  test::PumpPending();
  EXPECT_EQ(Ring(Screen(edit->Handle()), shadow, kWhite), "");
  EXPECT_FALSE(IsWindowEnabled(edit->Handle()));

  // switched off, the stock border is back; switched on, the ring
  SendMessageW(edit->Handle(), kSkinMsgSwitch, 0, 0);
  test::PumpPending();
  EXPECT_NE(Ring(Screen(edit->Handle()), shadow, kWhite), "");
  SendMessageW(edit->Handle(), kSkinMsgSwitch, 1, 0);
  test::PumpPending();
  EXPECT_EQ(Ring(Screen(edit->Handle()), shadow, kWhite), "");
}

TEST_F(SkinEditTest, AQueryBoxThatDrawsItsOwnBorderGetsTheRingOverItABoxWithoutABorderNone) {
  // the main window's query boxes: no client edge, a one-pixel border the edit paints itself
  auto* query = new TEdit(form_);
  query->SetCtl3D(false);
  Place(query, 20, 20, 121, 19);
  query->SetText("西门");
  RECT client{};
  GetClientRect(query->Handle(), &client);
  ASSERT_EQ(client.right, 121);
  test::PumpPending();
  ASSERT_EQ(Ring(Screen(query->Handle()), Rgb(TColor(clWindowFrame)), kWhite), "");
  test::TMessageRecorder recorder(*query, {WM_PAINT, WM_ERASEBKGND, WM_PRINTCLIENT});
  Skin(*query);
  const std::uint32_t shadow = Rgb(skin_->ButtonShadow());
  EXPECT_EQ(Ring(Screen(query->Handle()), shadow, kWhite), "");
  EXPECT_TRUE(test::InkExtent(Screen(query->Handle()), {2, 2, 119, 17}, {kWhite}).found);
  // its own painting only ever goes to the off-screen picture
  for (UINT msg : recorder.Messages()) EXPECT_NE(msg, UINT(WM_PAINT));
  EXPECT_GT(recorder.Count(WM_PRINTCLIENT), 0);

  // the caret still blinks after composed paints (each paint hides it and shows it again)
  query->SetFocus();
  SendMessageW(query->Handle(), EM_SETSEL, 2, 2);  // after the text: the caret on a white ground
  for (int i = 0; i < 3; ++i) {
    InvalidateRect(query->Handle(), nullptr, TRUE);
    UpdateWindow(query->Handle());
  }
  POINT caret{};
  ASSERT_TRUE(GetCaretPos(&caret));
  EXPECT_TRUE(test::PumpUntil(
      [&] { return (test::PixelAt(*query, {caret.x, caret.y + 3}) & 0xFFFFFF) != RGB(255, 255, 255); }, test::kSkinWait))
      << "no caret at " << caret.x << "," << caret.y;

  // a one-pixel frame: the outer ring over it, the inner one over the outermost client pixels
  auto* framed = Place(new TEdit(form_), 160, 20, 121, 19);
  framed->SetCtl3D(false);
  GetClientRect(framed->Handle(), &client);
  ASSERT_EQ(client.right, 119);
  Skin(*framed);
  EXPECT_EQ(Ring(Screen(framed->Handle()), shadow, kWhite), "");

  // no border at all: nothing drawn over the edge
  HWND bare = CreateWindowExW(0, L"EDIT", L"x", WS_CHILD | WS_VISIBLE, 20, 60, 100, 20, form_->Handle(), nullptr,
                              nullptr, nullptr);
  auto* wrapper = new TSkinEdit(form_);
  wrapper->AttachWindow(bare, skin_.get(), &host_, &canvas_);
  test::PumpPending();
  const BmpImage shot = Screen(bare);
  EXPECT_EQ(shot.Pixel(0, 10) & 0xFFFFFF, kWhite);
  EXPECT_EQ(shot.Pixel(50, shot.height - 1) & 0xFFFFFF, kWhite);
}

// Typing, moving the caret, selecting with the keyboard and the mouse, and the context menu's
// Select All reach the edit's own processing as they reach an unskinned edit, with the same results.
TEST_F(SkinEditTest, TypingSelectionCaretAndTheContextMenuBehaveAsWithoutTheWrapper) {
  const std::vector<UINT> watched = {WM_KEYDOWN, WM_CHAR,     WM_KEYUP,     WM_LBUTTONDOWN, WM_LBUTTONUP,
                                     WM_SETFOCUS, WM_KILLFOCUS, WM_CONTEXTMENU, EM_SETSEL,      EM_GETSEL};
  struct Run {
    std::vector<UINT> messages;
    std::string text;
    DWORD selection = 0;
    POINT caret{};
  };
  auto drive = [&](bool skinned, int y) {
    auto* edit = Place(new TEdit(form_), 20, y, 160, 21);
    test::MessageLog log(edit->Handle(), watched);  // below the wrapper: what the edit itself gets
    if (skinned) Skin(*edit);
    edit->SetFocus();
    test::PumpPending();
    log.Take();
    for (wchar_t c : std::wstring(L"a站b")) SendMessageW(edit->Handle(), WM_CHAR, c, 1);
    SendMessageW(edit->Handle(), WM_KEYDOWN, VK_LEFT, 1);
    SendMessageW(edit->Handle(), WM_KEYUP, VK_LEFT, 0xC0000001);
    RECT r{};
    GetClientRect(edit->Handle(), &r);
    SendMessageW(edit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, r.bottom / 2));
    SendMessageW(edit->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(1, r.bottom / 2));
    {
      const test::MenuAnswerer answerer(6);  // Undo, Cut, Copy, Paste, Delete, Select All
      SendMessageW(edit->Handle(), WM_CONTEXTMENU, WPARAM(edit->Handle()), MAKELPARAM(-1, -1));
    }
    test::PumpPending();
    Run run;
    run.messages = log.Take();
    run.text = edit->Text();
    run.selection = DWORD(SendMessageW(edit->Handle(), EM_GETSEL, 0, 0));
    GetCaretPos(&run.caret);
    return run;
  };
  const Run plain = drive(false, 20);
  const Run skinned = drive(true, 60);
  EXPECT_EQ(skinned.messages, plain.messages);
  test::ExpectSequence(skinned.messages,
                       {{WM_CHAR}, {WM_CHAR}, {WM_CHAR}, {WM_KEYDOWN}, {WM_KEYUP}, {WM_LBUTTONDOWN}, {WM_LBUTTONUP},
                        {WM_CONTEXTMENU}, {EM_GETSEL, test::kOptional}, {EM_SETSEL, test::kOptional}},
                       "typing, a click and the context menu under the wrapper");
  EXPECT_EQ(skinned.text, "a站b");
  EXPECT_EQ(skinned.text, plain.text);
  EXPECT_EQ(skinned.selection, plain.selection);
  EXPECT_EQ(skinned.selection, DWORD(MAKELONG(0, 3)));  // Select All from the menu
  EXPECT_EQ(skinned.caret.x, plain.caret.x);
  EXPECT_EQ(skinned.caret.y, plain.caret.y);
}

// --- spin buttons ---------------------------------------------------------------------------

// The button area of a spin button as the skin draws it: frame `frame` of the strip with its glyph,
// over the face colour.
BmpImage SpinPicture(const TSkinData& skin, const TDataSkinBorder& strip, int w, int h, int frame) {
  return test::OverFace(skin, w, h, [&](HDC dc) {
    DrawSkinFrame(dc, {0, 0, w, h}, strip.Image(), true, strip.Frame(), frame);
    DrawSkinGlyph(dc, {0, 0, w, h}, strip.Image2(), true, strip.Frame(), frame);
  });
}

TEST_F(SkinEditTest, AnUpDownDrawsItsButtonsFromTheSkinAndStillStepsItsBuddy) {
  auto* buddy = Place(new TEdit(form_), 20, 20, 80, 21);
  auto* spin = Place(new TUpDown(form_), 100, 20, 17, 40);
  spin->SetAssociate(buddy);
  spin->SetPosition(5);
  auto* wrapper = new TSkinUpDown(spin);
  wrapper->AttachControl(&host_, skin_.get(), false, &canvas_);
  test::PumpPending();
  const TDataSkinBorder& strip = *skin_->UpDownVert();
  ASSERT_FALSE(strip.Image().Empty());
  RECT c{};
  GetClientRect(spin->Handle(), &c);
  const int half = c.bottom / 2;
  auto expectFrames = [&](int up, int down, const char* context) {
    const BmpImage shot = Screen(spin->Handle());
    EXPECT_EQ(test::Difference(shot, {0, 0, c.right, half}, SpinPicture(*skin_, strip, c.right, half, up)), "")
        << context << " (up)";
    EXPECT_EQ(test::Difference(shot, {0, half, c.right, c.bottom},
                               SpinPicture(*skin_, strip, c.right, c.bottom - half, down + 4)),
              "")
        << context << " (down)";
  };
  expectFrames(kSpinNormal, kSpinNormal, "at rest");

  // a press on the upper half: pressed there while the button is down, and the buddy steps
  POINT upper{c.right / 2, half / 2};
  ClientToScreen(spin->Handle(), &upper);
  test::MoveCursor(upper);
  const LPARAM at = MAKELPARAM(c.right / 2, half / 2);
  SendMessageW(spin->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  test::PumpPending();
  expectFrames(kSpinPressed, kSpinNormal, "pressed");
  SendMessageW(spin->Handle(), WM_LBUTTONUP, 0, at);
  test::PumpPending();
  expectFrames(kSpinNormal, kSpinNormal, "released");
  EXPECT_EQ(buddy->Text(), "6");
  EXPECT_EQ(spin->Position(), 6);

  spin->SetEnabled(false);
  test::PumpPending();
  expectFrames(kSpinDisabled, kSpinDisabled, "disabled");
}

TEST_F(SkinEditTest, ASpinButtonWithoutSkinImagesIsDrawnPlainInTheSkinsColours) {
  TSkinData plain(nullptr);
  test::GiveTestSkin(plain);
  auto* spin = Place(new TUpDown(form_), 100, 20, 17, 40);
  auto* wrapper = new TSkinUpDown(spin);
  wrapper->AttachControl(&host_, &plain, false, &canvas_);
  test::PumpPending();
  const BmpImage shot = Screen(spin->Handle());
  const std::uint32_t face = 0x0A141E;  // the test skin's (10, 20, 30)
  EXPECT_EQ(shot.Pixel(4, 3) & 0xFFFFFF, face);
  EXPECT_EQ(shot.Pixel(0, 0) & 0xFFFFFF, Rgb(plain.ButtonDkShadow()));
  // an arrow in each half
  EXPECT_TRUE(test::InkExtent(shot, {1, 1, 16, 19}, {face, Rgb(plain.ButtonDkShadow())}).found == false);
  EXPECT_TRUE(test::HasColour(shot, {4, 4, 13, 16}, Rgb(plain.ButtonDkShadow())));
  EXPECT_TRUE(test::HasColour(shot, {4, 24, 13, 36}, Rgb(plain.ButtonDkShadow())));
  wrapper->Detach();
}

TEST_F(SkinEditTest, ASpinButtonInsideAPickerIsFoundAtTheFirstPaintAndDrawnInset) {
  auto* picker = Place(new TDateTimePicker(form_), 20, 20, 140, 21);
  picker->SetDateMode(TDTDateMode::dmUpDown);
  HWND spin = FindWindowExW(picker->Handle(), nullptr, UPDOWN_CLASSW, nullptr);
  ASSERT_NE(spin, nullptr);
  auto* wrapper = new TSkinEdit(picker);
  EXPECT_EQ(wrapper->SpinButton(), nullptr);
  wrapper->AttachWindow(picker->Handle(), skin_.get(), &host_, &canvas_);
  test::PumpPending();
  ASSERT_NE(wrapper->SpinButton(), nullptr);
  EXPECT_EQ(wrapper->SpinButton()->Handle(), spin);
  EXPECT_TRUE(wrapper->SpinButton()->Inset());
  // inset: the outermost pixels are the face colour, the skin's buttons inside
  const BmpImage shot = Screen(spin);
  EXPECT_EQ(shot.Pixel(0, 0) & 0xFFFFFF, Rgb(skin_->ButtonFace()));
  RECT c{};
  GetClientRect(spin, &c);
  const int half = (c.bottom - 2) / 2;
  EXPECT_EQ(test::Difference(shot, {1, 1, c.right - 1, 1 + half},
                             SpinPicture(*skin_, *skin_->UpDownVert(), c.right - 2, half, kSpinNormal)),
            "");
  // the picker itself wears the ring
  EXPECT_EQ(Ring(Screen(picker->Handle()), Rgb(skin_->ButtonShadow()), kWhite), "");
}

}  // namespace
}  // namespace bus
