// The text routines of bars and item rows, drawn on a white bitmap: an item's text is placed as a
// block with its image (left, centred, right, never nearer than 2 pixels to the left edge), shown
// whole where it fits and cut with an ellipsis inside its rectangle where it does not; a status
// text keeps to its side and sits one pixel above the middle.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/control/SkinText.h"
#include "skin/data/SkinData.h"
#include "tests/skin/control/WrapperFixture.h"

namespace bus {
namespace {

constexpr int kW = 200, kH = 24;

// What fn drew in black on a white kW × kH bitmap, and where its ink lies.
test::Extent Ink(const std::function<void(TCanvas&)>& fn) {
  TBitmap picture(kW, kH, pf24bit);
  TCanvas& canvas = picture.Canvas();
  canvas.Brush().SetColor(clWhite);
  canvas.FillRect({0, 0, kW, kH});
  canvas.Font().SetColor(clBlack);
  fn(canvas);
  return test::InkExtent(picture.ToImage(), {0, 0, kW, kH}, {0xFFFFFF});
}

int TextWidth(const std::string& text) {
  TBitmap picture(1, 1, pf24bit);
  return picture.Canvas().TextWidth(text);
}

TEST(SkinTextTest, AnItemsTextIsPlacedWholeWhereItFitsAndCutInsideItsRectangleWhereItDoesNot) {
  const std::string text = "线路站点";
  const int width = TextWidth(text);
  ASSERT_GT(width, 20);
  const RECT rect{0, 0, kW, kH};
  const test::Extent left = Ink([&](TCanvas& c) { DrawItemText(c, rect, TItemAlignment::Left, text, -1, nullptr, true); });
  const test::Extent centre =
      Ink([&](TCanvas& c) { DrawItemText(c, rect, TItemAlignment::Centre, text, -1, nullptr, true); });
  const test::Extent right =
      Ink([&](TCanvas& c) { DrawItemText(c, rect, TItemAlignment::Right, text, -1, nullptr, true); });
  ASSERT_TRUE(left.found && centre.found && right.found);
  // whole: the ink is as wide as the text (glyphs stop a pixel or two short of their cells)
  for (const test::Extent& e : {left, centre, right}) EXPECT_GE(e.right - e.left, width - 4);
  EXPECT_GE(left.left, 3);
  EXPECT_LE(left.left, 5);
  EXPECT_NEAR((centre.left + centre.right) / 2, kW / 2, 3);
  EXPECT_LE(right.right, kW - 1);
  EXPECT_GE(right.right, kW - 4);
  EXPECT_NEAR((centre.top + centre.bottom) / 2, kH / 2, 3) << "centred vertically";

  // too long for its rectangle: cut inside it, never past its right edge
  const RECT narrow{0, 0, width / 2, kH};
  const test::Extent cut = Ink([&](TCanvas& c) { DrawItemText(c, narrow, TItemAlignment::Left, text, -1, nullptr, true); });
  ASSERT_TRUE(cut.found);
  EXPECT_LE(cut.right, narrow.right);
  // a rectangle too narrow even for the left margin: the text starts 2 pixels in all the same
  const test::Extent squeezed =
      Ink([&](TCanvas& c) { DrawItemText(c, narrow, TItemAlignment::Right, text, -1, nullptr, true); });
  ASSERT_TRUE(squeezed.found);
  EXPECT_GE(squeezed.left, 2);
}

TEST(SkinTextTest, AnItemsImageComesFirstAndATextlessItemShowsItsImage) {
  const HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 1, 0);
  ASSERT_NE(images, nullptr);
  {
    TBitmap glyph(16, 16, pf24bit);
    glyph.Canvas().Brush().SetColor(clBlack);
    glyph.Canvas().FillRect({0, 0, 16, 16});
    ImageList_Add(images, glyph.Handle(), nullptr);
  }
  const RECT rect{0, 0, kW, kH};
  const test::Extent alone = Ink([&](TCanvas& c) { DrawItemText(c, rect, TItemAlignment::Left, "", 0, images, true); });
  ASSERT_TRUE(alone.found);
  EXPECT_EQ(alone.left, 2);
  EXPECT_EQ(alone.right, 18);
  EXPECT_EQ(alone.top, (kH - 16) / 2);
  const test::Extent both = Ink([&](TCanvas& c) { DrawItemText(c, rect, TItemAlignment::Left, "站点", 0, images, true); });
  EXPECT_GT(both.right, 18 + 10) << "the text follows the image";
  // an image as wide as the rectangle is left out
  const test::Extent narrow =
      Ink([&](TCanvas& c) { DrawItemText(c, {0, 0, 16, kH}, TItemAlignment::Left, "", 0, images, true); });
  EXPECT_FALSE(narrow.found);
  ImageList_Destroy(images);
}

TEST(SkinTextTest, AStatusTextKeepsToItsSideOneAboveTheMiddle) {
  const RECT rect{10, 0, 190, kH};
  const test::Extent left = Ink([&](TCanvas& c) { DrawStatusText(c, rect, DT_LEFT, true, "共有 12 条"); });
  const test::Extent right = Ink([&](TCanvas& c) { DrawStatusText(c, rect, DT_RIGHT, true, "共有 12 条"); });
  const test::Extent centre = Ink([&](TCanvas& c) { DrawStatusText(c, rect, DT_CENTER, true, "共有 12 条"); });
  ASSERT_TRUE(left.found && right.found && centre.found);
  EXPECT_LE(left.left, 12);
  EXPECT_GE(right.right, 186);
  EXPECT_NEAR((centre.left + centre.right) / 2, 100, 3);
  EXPECT_EQ(left.top, right.top);
  EXPECT_LT((left.top + left.bottom) / 2, kH / 2 + 1);
}

}  // namespace
}  // namespace bus
