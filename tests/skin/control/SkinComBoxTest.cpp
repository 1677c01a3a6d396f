// The combo box wrapper under Wine with our default skin: the box is one frame of the skin's
// composed combo image by state (normal, pressed while the mouse is down on the button or the edit
// field, hot, focused, disabled), the text showing through; a box whose button sits on the left
// gets the mirrored frame, one that keeps it on the right whatever its style the plain one; the
// list still drops down and a choice lands in the box. Pixels are read back from the screen and
// compared with the skin's image rendered to the box's size.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/WindowSubclass.h"
#include "skin/control/SkinComBox.h"
#include "skin/control/SkinDrawing.h"
#include "skin/control/SkinScrollbarH.h"
#include "skin/data/SkinData.h"
#include "tests/skin/control/WrapperFixture.h"
#include "tests/support/SkinWindowsSupport.h"

namespace bus {
namespace {

using test::Screen;

// The whole box as the skin draws it: frame `frame` of object over the face colour.
BmpImage BoxPicture(const TSkinData& skin, const TDataSkinObject& object, int w, int h, int frame) {
  return test::OverFace(skin, w, h, [&](HDC dc) {
    DrawSkinImage(dc, {0, 0, w, h}, object.Image(), false, false, true, object.Frame(), frame, object.Margins());
  });
}

// Presses or lets go of the left mouse button where the cursor is.
void MouseButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
  test::PumpPending();
}

POINT ScreenPoint(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  return p;
}

class SkinComBoxTest : public test::SkinnedFormTest {
protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    ASSERT_EQ(skin_->ComboButton()->Style(), 2);  // the default skin's combo images are composed
  }
  TComboBox* Box(TComboBoxStyle style, int y) {
    auto* box = Place(new TComboBox(form_), 20, y, 121, 21);
    box->SetStyle(style);
    for (const char* item : {"600路", "游8路", "K605路"}) box->Items().Add(item);
    return box;
  }
  TSkinComBox* Skin(TComboBox& box) {
    auto* wrapper = new TSkinComBox(&box);
    wrapper->AttachControl(&host_, skin_.get(), false, &canvas_);
    test::PumpPending();
    return wrapper;
  }
  // The columns of the button (the right margin of the composed image) against frame `frame`.
  std::string ButtonDiffers(HWND box, const TDataSkinObject& object, int frame, bool left = false) {
    const BmpImage shot = Screen(box);
    const BmpImage want = BoxPicture(*skin_, object, shot.width, shot.height, frame);
    const int w = left ? object.LeftWidth() - 2 : object.RightWidth() - 2;
    const RECT area = left ? RECT{0, 0, w, shot.height} : RECT{shot.width - w, 0, shot.width, shot.height};
    return test::Difference(shot, area, want, {area.left, 0});
  }
};

TEST_F(SkinComBoxTest, ADropDownBoxIsOneSkinFrameByStateWithItsTextShowingThrough) {
  TComboBox* box = Box(TComboBoxStyle::csDropDown, 20);
  box->SetItemIndex(0);
  auto* other = Place(new TEdit(form_), 20, 60, 121, 21);  // where the focus goes when not in the box
  other->SetFocus();
  test::TMessageRecorder recorder(*box, {WM_PAINT, WM_ERASEBKGND, WM_PRINTCLIENT});
  TSkinComBox* wrapper = Skin(*box);
  const TDataSkinObject& image = *skin_->ComboButton();
  EXPECT_EQ(ButtonDiffers(box->Handle(), image, 1), "");
  EXPECT_EQ(wrapper->EditHandle(), GetWindow(box->Handle(), GW_CHILD));
  // the box's parts are read with the size of the platform's own record (a 32-bit size is refused)
  EXPECT_EQ(wrapper->ComboInfo().cbSize, sizeof(COMBOBOXINFO));
  EXPECT_EQ(wrapper->ComboInfo().hwndItem, wrapper->EditHandle());
  // the box's own painting only ever goes to the off-screen picture; its text shows
  for (UINT msg : recorder.Messages()) EXPECT_NE(msg, UINT(WM_PAINT));
  const BmpImage shot = Screen(box->Handle());
  EXPECT_TRUE(test::InkExtent(shot, {4, 4, 90, 17}, {0xFFFFFF}).found);
  // the frame's outer edge is the skin's, not the box's sunken 3-D edge
  const BmpImage want = BoxPicture(*skin_, image, shot.width, shot.height, 1);
  EXPECT_EQ(test::Difference(shot, {0, 0, 2, shot.height}, want), "");
  EXPECT_EQ(test::Difference(shot, {0, 0, shot.width, 2}, want), "");

  // pressed while the mouse is down on the edit field, focused after the release
  HWND field = wrapper->EditHandle();
  SendMessageW(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  test::PumpPending();
  EXPECT_EQ(ButtonDiffers(box->Handle(), image, 2), "");
  SendMessageW(field, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  test::PumpPending();
  ASSERT_EQ(GetFocus(), field);
  EXPECT_EQ(ButtonDiffers(box->Handle(), image, 4), "");

  // hot while the mouse is over it, normal again when it leaves
  other->SetFocus();
  SendMessageW(box->Handle(), CM_MOUSEENTER, 0, 0);
  test::PumpPending();
  EXPECT_EQ(ButtonDiffers(box->Handle(), image, 4), "");
  SendMessageW(box->Handle(), CM_MOUSELEAVE, 0, 0);
  test::PumpPending();
  EXPECT_EQ(ButtonDiffers(box->Handle(), image, 1), "");

  box->SetEnabled(false);
  test::PumpPending();
  EXPECT_EQ(ButtonDiffers(box->Handle(), image, 3), "");
}

// Wine keeps a box's button on the right whatever WS_EX_LEFTSCROLLBAR says; Windows puts it on the
// left. The skin's button goes where the box has it: the mirrored frame on the left, the plain
// frame on the right, so no stock button is left showing and no skin button is drawn where a
// press does not drop the list.
TEST_F(SkinComBoxTest, TheButtonIsDrawnWhereTheBoxHasItMirroredOnTheLeft) {
  auto raw = [&](int y) {
    return CreateWindowExW(WS_EX_LEFTSCROLLBAR, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 20, y,
                           121, 200, form_->Handle(), nullptr, nullptr, nullptr);
  };
  HWND left = raw(20), wine = raw(60);
  // a box that reports its button on the left, as Windows' does with this style
  TWindowSubclass mirrored(left, [&](TMessage& m) {
    if (m.Msg != CB_GETCOMBOBOXINFO) return false;
    auto* info = reinterpret_cast<COMBOBOXINFO*>(m.LParam);
    RECT c{};
    GetClientRect(left, &c);
    info->rcButton = {2, 2, 2 + GetSystemMetrics(SM_CXVSCROLL), c.bottom - 2};
    info->rcItem = {info->rcButton.right, 2, c.right - 2, c.bottom - 2};
    info->stateButton = 0;
    m.Result = TRUE;
    return true;
  });
  for (HWND box : {left, wine}) {
    auto* wrapper = new TSkinComBox(form_);
    wrapper->AttachWindow(box, skin_.get(), &host_, &canvas_);
  }
  test::PumpPending();
  EXPECT_EQ(ButtonDiffers(left, *skin_->SunkEdge(), 1, true), "");
  EXPECT_EQ(ButtonDiffers(wine, *skin_->ComboButton(), 1), "");
}

TEST_F(SkinComBoxTest, ASimpleBoxHasItsListsScrollBarsSkinnedAndNoButtonDrawn) {
  TComboBox* box = Box(TComboBoxStyle::csSimple, 20);
  box->SetHeight(120);
  for (int i = 0; i < 20; ++i) box->Items().Add("线路" + std::to_string(i));
  test::PumpPending();
  const BmpImage before = Screen(box->Handle());
  TSkinComBox* wrapper = Skin(*box);
  ASSERT_NE(wrapper->ListHandle(), nullptr);
  ASSERT_NE(wrapper->ListScrollbars(), nullptr);
  EXPECT_EQ(wrapper->ListScrollbars()->Handle(), wrapper->ListHandle());
  EXPECT_EQ(wrapper->EditHandle(), nullptr);
  // no button: the box's own edit row is left as it was
  EXPECT_EQ(test::Difference(Screen(box->Handle()), {0, 0, 121, 18}, before), "");
}

// A skin with a combo button strip but no sunk edge keeps its images as they are: the button frame
// for the state over the button columns, the box's own edge and text left alone.
TEST_F(SkinComBoxTest, WithoutASunkEdgeOnlyTheButtonIsDrawnFromItsOwnStrip) {
  const std::uint32_t colours[] = {0xC00000, 0x00C000, 0x0000C0, 0xC0C000};
  TSkinData buttonOnly(nullptr);
  test::StoreArchive(buttonOnly.StoredSkin(),
                     "[TitlebarSkin]\r\nSkinName=Button\r\n[ComboButton]\r\nImage=combo.bmp\r\n",
                     {{"combo.bmp", test::BmpFile(72, 21, [&](int x, int) { return colours[x / 18]; })}});
  ASSERT_TRUE(buttonOnly.LoadSkin());
  ASSERT_NE(buttonOnly.ComboButton()->Style(), 2);
  TComboBox* box = Box(TComboBoxStyle::csDropDownList, 20);
  auto* other = Place(new TEdit(form_), 20, 60, 121, 21);
  other->SetFocus();
  test::PumpPending();
  const BmpImage before = Screen(box->Handle());
  auto* wrapper = new TSkinComBox(box);
  wrapper->AttachControl(&host_, &buttonOnly, false, &canvas_);
  test::PumpPending();
  const int e = GetSystemMetrics(SM_CXHSCROLL);
  BmpImage shot = Screen(box->Handle());
  EXPECT_EQ(shot.Pixel(shot.width - e / 2, shot.height / 2) & 0xFFFFFF, colours[0]);
  EXPECT_EQ(test::Difference(shot, {0, 0, shot.width - e - 4, shot.height}, before), "");
  box->SetEnabled(false);
  test::PumpPending();
  shot = Screen(box->Handle());
  EXPECT_EQ(shot.Pixel(shot.width - e / 2, shot.height / 2) & 0xFFFFFF, colours[2]);
  wrapper->Detach();
}

TEST_F(SkinComBoxTest, TheListDropsDownFromTheButtonAndAChoiceLandsInTheBox) {
  TComboBox* box = Box(TComboBoxStyle::csDropDownList, 20);
  int changes = 0;
  box->OnChange = TNotifyEvent([&](TObject*) { ++changes; });
  TSkinComBox* wrapper = Skin(*box);
  RECT c{};
  GetClientRect(box->Handle(), &c);
  test::MoveCursor(ScreenPoint(box->Handle(), c.right - 8, c.bottom / 2));
  MouseButton(true);
  ASSERT_TRUE(test::PumpUntil([&] { return box->DroppedDown(); }, test::kSkinWait));
  EXPECT_EQ(ButtonDiffers(box->Handle(), *skin_->ComboButton(), 2), "");
  MouseButton(false);
  EXPECT_TRUE(box->DroppedDown());
  EXPECT_EQ(wrapper->MouseState() & kMousePressed, 0);

  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(box->Handle(), &info));
  RECT item{};
  SendMessageW(info.hwndList, LB_GETITEMRECT, 2, LPARAM(&item));
  test::MoveCursor(ScreenPoint(info.hwndList, (item.left + item.right) / 2, (item.top + item.bottom) / 2));
  MouseButton(true);
  MouseButton(false);
  ASSERT_TRUE(test::PumpUntil([&] { return !box->DroppedDown(); }, test::kSkinWait));
  EXPECT_EQ(box->ItemIndex(), 2);
  EXPECT_EQ(box->Text(), "K605路");
  EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace bus
