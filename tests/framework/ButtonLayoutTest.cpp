// Placement of a button's glyph and caption for each layout, with and without margin and spacing.
#include "framework/ButtonLayout.h"

#include <gtest/gtest.h>

namespace bus {
namespace {

TEST(ButtonLayout, SideBySideCentresThePairUnlessAMarginIsGiven) {
  // 60 × 23 button, 16 × 16 glyph, 30 × 13 caption, spacing 4: the pair (50 wide) is centred
  TButtonPlacement p = CalcButtonLayout({60, 23}, {16, 16}, {30, 13}, TButtonLayout::blGlyphLeft, -1, 4);
  EXPECT_EQ(p.glyph.x, 5);
  EXPECT_EQ(p.caption.x, 25);
  EXPECT_EQ(p.glyph.y, 4);
  EXPECT_EQ(p.caption.y, 5);
  // glyph on the right, 3 pixels from the right edge, caption 4 pixels left of it
  p = CalcButtonLayout({60, 23}, {16, 16}, {30, 13}, TButtonLayout::blGlyphRight, 3, 4);
  EXPECT_EQ(p.glyph.x, 41);
  EXPECT_EQ(p.caption.x, 7);
  // a margin with spacing -1: the caption is centred in the room the glyph leaves
  p = CalcButtonLayout({60, 23}, {16, 16}, {30, 13}, TButtonLayout::blGlyphLeft, 2, -1);
  EXPECT_EQ(p.glyph.x, 2);
  EXPECT_EQ(p.caption.x, 24);
}

TEST(ButtonLayout, StackedLayoutsAndMissingParts) {
  // glyph on top, 2 from the top edge; both centred across
  TButtonPlacement p = CalcButtonLayout({40, 50}, {16, 16}, {20, 13}, TButtonLayout::blGlyphTop, 2, 4);
  EXPECT_EQ(p.glyph.y, 2);
  EXPECT_EQ(p.caption.y, 22);
  EXPECT_EQ(p.glyph.x, 12);
  EXPECT_EQ(p.caption.x, 10);
  // margin and spacing -1: the free 21 pixels split in three
  p = CalcButtonLayout({40, 50}, {16, 16}, {20, 13}, TButtonLayout::blGlyphBottom, -1, -1);
  EXPECT_EQ(p.glyph.y, 27);
  EXPECT_EQ(p.caption.y, 7);
  // without a caption the glyph alone is centred and no spacing is taken
  p = CalcButtonLayout({60, 23}, {16, 16}, {0, 0}, TButtonLayout::blGlyphLeft, -1, 4);
  EXPECT_EQ(p.glyph.x, 22);
  // without a glyph the caption alone is centred
  p = CalcButtonLayout({60, 23}, {0, 0}, {30, 13}, TButtonLayout::blGlyphRight, -1, 4);
  EXPECT_EQ(p.caption.x, 15);
}

}  // namespace
}  // namespace bus
