// Check boxes and radio buttons under the skin, on the screen: the frame of the skin's box or
// circle each state shows, with strips of every look (12 check frames, 8 radio frames) and of four
// frames, the box on either side of the caption; a click toggles and repaints the box, a radio
// group keeps one button checked, and a click reaches the control and the program exactly as
// without the skin.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/controls/CheckBox.h"
#include "framework/controls/RadioButton.h"
#include "framework/controls/RadioGroup.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"
#include "tests/skin/control/ButtonSkinFixture.h"
#include "tests/support/SkinWindowsSupport.h"
#include "tests/support/WindowTestSupport.h"

namespace bus {
namespace {

using test::ButtonSkinTest;

// Where the 13 × 13 test frame's middle lies: centred on the control's height, the box 1 pixel in
// on the left (a radio circle at the edge), or against the right edge with the caption on the left.
POINT BoxMiddle(const TControl& control, bool radio) {
  const int w = control.ClientRect().right, y = control.ClientRect().bottom / 2;
  const bool right = control.ClassName() == "TCheckBox" ? control.Name() == "cbRight" : control.Name() == "rbRight";
  if (radio) return {right ? w - 7 : 6, y};
  return {right ? w - 8 : 7, y};
}

std::string BoxShown(const TControl& control) {
  return ButtonSkinTest::ShownAt(control, BoxMiddle(control, control.ClassName() != "TCheckBox"));
}

struct Look {
  const char* name;     // the control
  const char* full;     // shown with 12 check frames and 8 radio frames
  const char* four;     // shown with 4 frames each
};

const Look kLooks[] = {
    {"cbOff", "check 1", "check 1"},
    {"cbOn", "check 5", "check 2"},
    {"cbGrayed", "check 9", "check 4"},
    {"cbDisabled", "check 8", "check 4"},
    {"cbRight", "check 5", "check 2"},
    {"rbFuzzy", "radio 5", "radio 2"},
    {"rbExact", "radio 1", "radio 1"},
    {"rbDisabledOn", "radio 8", "radio 4"},
    {"rbDisabledOff", "radio 4", "radio 3"},
    {"rbRight", "radio 5", "radio 2"},
};

TEST_F(ButtonSkinTest, CheckBoxesAndRadioButtonsShowTheFrameOfTheirStateInBothStripLayouts) {
  for (const bool full : {true, false}) {
    SCOPED_TRACE(full ? "12 check and 8 radio frames" : "4 frames each");
    LoadSkin(full ? 12 : 4, full ? 8 : 4);
    Adopt();
    for (const Look& look : kLooks) {
      const auto* control = dynamic_cast<TControl*>(form_->FindComponent(look.name));
      ASSERT_NE(control, nullptr) << look.name;
      EXPECT_EQ(BoxShown(*control), full ? look.full : look.four) << look.name;
    }
    // disabling a checked box shows its disabled frame at once
    auto& on = form_->Get<TCheckBox>("cbOn");
    on.SetEnabled(false);
    test::PumpPending();
    EXPECT_EQ(BoxShown(on), full ? "check 8" : "check 4");
    form_->Free();
    form_ = nullptr;
  }
}

TEST_F(ButtonSkinTest, ANewSkinReachesTheBoxesAtOnce) {
  Adopt();
  auto& on = form_->Get<TCheckBox>("cbOn");
  auto& fuzzy = form_->Get<TRadioButton>("rbFuzzy");
  ASSERT_EQ(BoxShown(on), "check 5");
  LoadSkin(4, 4);
  SendMessageW(form_->Handle(), kSkinMsgReskin, 0, 0);
  test::PumpPending();
  EXPECT_EQ(BoxShown(on), "check 2");
  EXPECT_EQ(BoxShown(fuzzy), "radio 2");
}

TEST_F(ButtonSkinTest, AClickTogglesACheckBoxRepaintsItsBoxAndReachesTheProgramAsWithoutTheSkin) {
  const std::vector<UINT> watched = {WM_LBUTTONDOWN, WM_LBUTTONUP, BM_SETSTATE, BM_SETCHECK, WM_CAPTURECHANGED};
  std::vector<std::string> journals[2];
  for (const bool skinned : {false, true}) {
    journals[skinned] = Journal(skinned, "cbOff", watched, [&](TControl& control) {
      auto& box = static_cast<TCheckBox&>(control);
      Press(box);
      if (skinned) {
        EXPECT_EQ(BoxShown(box), "check 1") << "held down";
      }
      Release(box);
      test::PumpPending();
      EXPECT_TRUE(box.Checked());
      if (skinned) {
        EXPECT_EQ(BoxShown(box), "check 5") << "checked at once";
      }
      Press(box);
      Release(box);
      test::PumpPending();
      EXPECT_FALSE(box.Checked());
      if (skinned) {
        EXPECT_EQ(BoxShown(box), "check 1");
      }
    });
  }
  EXPECT_EQ(journals[1], journals[0]) << "the control's own processing sees the same messages, the program the same clicks";
  EXPECT_EQ(std::count(journals[1].begin(), journals[1].end(), "click cbOff"), 2);
}

TEST_F(ButtonSkinTest, ARadioGroupKeepsOneButtonCheckedAndShowsIt) {
  Adopt();
  auto& fuzzy = form_->Get<TRadioButton>("rbFuzzy");
  auto& exact = form_->Get<TRadioButton>("rbExact");
  Press(exact);
  Release(exact);
  test::PumpPending();
  EXPECT_TRUE(exact.Checked());
  EXPECT_FALSE(fuzzy.Checked());
  EXPECT_EQ(BoxShown(exact), "radio 5");
  EXPECT_EQ(BoxShown(fuzzy), "radio 1") << "the other button's circle is repainted too";

  auto& group = form_->Get<TRadioGroup>("RadioGroup1");
  ASSERT_EQ(group.ItemIndex(), 0);
  TRadioButton* second = group.Buttons(1);
  Press(*second);
  Release(*second);
  test::PumpPending();
  EXPECT_EQ(group.ItemIndex(), 1);
  EXPECT_EQ(BoxShown(*group.Buttons(0)), "radio 1");
  EXPECT_EQ(BoxShown(*second), "radio 5");
  // the program moves the choice back
  group.SetItemIndex(0);
  test::PumpPending();
  EXPECT_EQ(BoxShown(*group.Buttons(0)), "radio 5");
  EXPECT_EQ(BoxShown(*second), "radio 1");
}

// A dialog's bare check boxes and radio buttons (no control objects: their state comes from the
// platform's button) get the skin's boxes too, and keep the platform's own behaviour.
TEST_F(ButtonSkinTest, ADialogsBareCheckBoxesAndRadioButtonsShowAndKeepTheirState) {
  struct {
    DLGTEMPLATE t;
    WORD menu, cls, title;
  } templ{};
  templ.t.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
  templ.t.cx = 200;
  templ.t.cy = 100;
  const HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &templ.t, nullptr,
                                                 [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
  ASSERT_NE(dialog, nullptr);
  const auto child = [&](DWORD style, int y, int id) {
    return CreateWindowW(L"BUTTON", L"选项", WS_CHILD | WS_VISIBLE | style, 10, y, 120, 17, dialog,
                         reinterpret_cast<HMENU>(INT_PTR(id)), nullptr, nullptr);
  };
  const HWND check = child(BS_AUTO3STATE, 10, 1);
  const HWND radio1 = child(BS_AUTORADIOBUTTON | WS_GROUP, 40, 2);
  const HWND radio2 = child(BS_AUTORADIOBUTTON, 70, 3);
  SetWindowPos(dialog, nullptr, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_TRUE(manager_->SkinWindow(dialog));
  const TSkinForm* object = manager_->FindSkinForm(dialog);
  ASSERT_NE(object, nullptr);
  ASSERT_TRUE(test::PumpUntil([&] { return object->ChildrenSkinned(); }, test::kSkinWait));
  test::PumpPending();
  const auto box = [](HWND w, int x) { return test::ShownIn(w, {x, 8}); };
  const auto click = [](HWND w) {
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 8));
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(20, 8));
    test::PumpPending();
  };
  EXPECT_EQ(box(check, 7), "check 1");
  EXPECT_EQ(box(radio1, 6), "radio 1");
  click(check);
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(box(check, 7), "check 5");
  click(check);  // a three-state box goes on to mixed
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  EXPECT_EQ(box(check, 7), "check 9");
  EnableWindow(check, FALSE);
  EXPECT_EQ(box(check, 7), "check 12");
  click(radio1);
  click(radio2);
  EXPECT_EQ(SendMessageW(radio1, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "one of the group checked";
  EXPECT_EQ(box(radio1, 6), "radio 1");
  EXPECT_EQ(box(radio2, 6), "radio 5");
  DestroyWindow(dialog);
  test::PumpPending();
}

}  // namespace
}  // namespace bus
