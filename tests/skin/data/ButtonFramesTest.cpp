// The frames the skinned buttons, check boxes and radio buttons show for each state, and where a
// box or circle sits in its control.
#include <gtest/gtest.h>

#include "skin/data/ButtonFrames.h"

namespace bus {
namespace {

TEST(ButtonFrames, TheFirstStateThatHoldsDecidesAndFocusRanksDifferentlyOnGlyphButtons) {
  struct Row {
    TButtonLook look;
    int push;   // push button
    int glyph;  // glyph button
  };
  const Row rows[] = {
      {{}, kButtonNormal, kButtonNormal},
      {{.enabled = false, .pressed = true, .hot = true, .focused = true, .isDefault = true}, kButtonDisabled,
       kButtonDisabled},
      {{.pressed = true, .hot = true, .isDefault = true}, kButtonPressed, kButtonPressed},
      {{.hot = true, .isDefault = true}, kButtonHot, kButtonHot},
      // a focused default button: the default frame on a push button, the hot frame on a glyph button
      {{.focused = true, .isDefault = true}, kButtonDefault, kButtonHot},
      {{.focused = true}, kButtonHot, kButtonHot},
      {{.isDefault = true}, kButtonDefault, kButtonDefault},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "enabled " << row.look.enabled << " pressed " << row.look.pressed << " hot "
                                    << row.look.hot << " focused " << row.look.focused << " default "
                                    << row.look.isDefault);
    EXPECT_EQ(PushButtonFrame(row.look), row.push);
    EXPECT_EQ(GlyphButtonFrame(row.look), row.glyph);
  }
}

TEST(ButtonFrames, SpeedButtonsShowDownEvenWhenDisabledAndFlatOnesShowNoFrameWhenNormal) {
  EXPECT_EQ(SpeedButtonFrame(true, false, false, false), kButtonPressed);
  EXPECT_EQ(SpeedButtonFrame(false, false, true, true), kButtonDisabled);
  EXPECT_EQ(SpeedButtonFrame(false, true, true, true), kButtonPressed);
  EXPECT_EQ(SpeedButtonFrame(false, true, false, true), kButtonHot);
  EXPECT_EQ(SpeedButtonFrame(false, true, false, false), kButtonNormal);
  EXPECT_FALSE(SpeedButtonShowsFrame(true, kButtonNormal));
  EXPECT_TRUE(SpeedButtonShowsFrame(true, kButtonHot));
  EXPECT_TRUE(SpeedButtonShowsFrame(false, kButtonNormal));
}

TEST(ButtonFrames, OnlyAStripOfFourGlyphsHasAFrameForEveryState) {
  EXPECT_EQ(GlyphStateFrame(kButtonPressed), 3);
  EXPECT_EQ(GlyphStateFrame(kButtonDisabled), 2);
  for (int frame : {kButtonNormal, kButtonHot, kButtonDefault}) EXPECT_EQ(GlyphStateFrame(frame), 1);
  EXPECT_EQ(GlyphFrameShown(4, 3), 3);
  EXPECT_EQ(GlyphFrameShown(4, 2), 2);
  // two glyphs (up, disabled): a disabled button shows the first, which the wrapper greys
  EXPECT_EQ(GlyphFrameShown(2, 2), 1);
  EXPECT_EQ(GlyphFrameShown(1, 3), 1);
  EXPECT_EQ(GlyphFrameShown(0, 2), 1);
}

TEST(ButtonFrames, CheckBoxAndRadioFramesOfBothStripLayouts) {
  using enum TCheckMark;
  // 12 frames: unchecked 1-4, checked 5-8, mixed 9-12 (normal, hot, pressed, disabled)
  EXPECT_EQ(CheckBoxFrame(unchecked, true, 12), 1);
  EXPECT_EQ(CheckBoxFrame(unchecked, false, 12), 4);
  EXPECT_EQ(CheckBoxFrame(checked, true, 12), 5);
  EXPECT_EQ(CheckBoxFrame(checked, false, 12), 8);
  EXPECT_EQ(CheckBoxFrame(mixed, true, 12), 9);
  EXPECT_EQ(CheckBoxFrame(mixed, false, 12), 12);
  // any other count: unchecked, checked, unchecked disabled, checked disabled (also any mixed box)
  for (int count : {4, 6}) {
    EXPECT_EQ(CheckBoxFrame(unchecked, true, count), 1);
    EXPECT_EQ(CheckBoxFrame(checked, true, count), 2);
    EXPECT_EQ(CheckBoxFrame(unchecked, false, count), 3);
    EXPECT_EQ(CheckBoxFrame(checked, false, count), 4);
    EXPECT_EQ(CheckBoxFrame(mixed, true, count), 4);
    EXPECT_EQ(CheckBoxFrame(mixed, false, count), 4);
  }
  EXPECT_EQ(RadioButtonFrame(false, true, 8), 1);
  EXPECT_EQ(RadioButtonFrame(false, false, 8), 4);
  EXPECT_EQ(RadioButtonFrame(true, true, 8), 5);
  EXPECT_EQ(RadioButtonFrame(true, false, 8), 8);
  EXPECT_EQ(RadioButtonFrame(false, true, 4), 1);
  EXPECT_EQ(RadioButtonFrame(true, true, 4), 2);
  EXPECT_EQ(RadioButtonFrame(false, false, 4), 3);
  EXPECT_EQ(RadioButtonFrame(true, false, 4), 4);
}

TEST(ButtonFrames, BoxesSitBesideTheCaptionCentredInTheControlsHeight) {
  const TSkinRect control{10, 20, 110, 37};  // 100 × 17
  // box on the left: a 13-wide frame one column in, a 16-wide one two; radio circles at the edge
  EXPECT_EQ(CheckBoxPlacement(control, 13, 13, false).box, (TSkinRect{11, 22, 24, 35}));
  EXPECT_EQ(CheckBoxPlacement(control, 16, 13, false).box.left, 12);
  EXPECT_EQ(CheckBoxPlacement(control, 10, 13, false).box.left, 13);
  EXPECT_EQ(RadioButtonPlacement(control, 13, 13, false).box.left, 10);
  EXPECT_EQ(RadioButtonPlacement(control, 16, 13, false).box.left, 10);
  EXPECT_EQ(RadioButtonPlacement(control, 10, 13, false).box.left, 12);
  EXPECT_EQ(CheckBoxPlacement(control, 13, 13, false).clear, (TSkinRect{10, 20, 26, 37}));
  // box on the right
  EXPECT_EQ(CheckBoxPlacement(control, 13, 14, true).box, (TSkinRect{96, 21, 109, 35}));
  EXPECT_EQ(CheckBoxPlacement(control, 16, 14, true).box.right, 109);
  EXPECT_EQ(RadioButtonPlacement(control, 13, 14, true).box.right, 110);
  EXPECT_EQ(RadioButtonPlacement(control, 16, 14, true).box.right, 109);
  EXPECT_EQ(RadioButtonPlacement(control, 13, 14, true).clear, (TSkinRect{92, 20, 110, 37}));
  // a frame taller than the control overhangs it evenly (offsets truncated toward zero)
  EXPECT_EQ(CheckBoxPlacement({0, 0, 50, 10}, 13, 13, false).box.top, -1);
}

}  // namespace
}  // namespace bus
