// Cutting frames out of skin strips and fitting them by their margins; the composed combo-box strip.
#include <gtest/gtest.h>

#include <climits>

#include "skin/data/NineSlice.h"

namespace bus {
namespace {

constexpr std::uint32_t kKey = kSkinTransparent;

std::uint32_t Rgb(const BmpImage& image, int x, int y) { return image.Pixel(x, y) & 0xFFFFFF; }

// A strip of `frames` frames of w × h; pixel (x, y) of frame f is colour(f, x, y).
template <typename Colour>
BmpImage Strip(int frames, int w, int h, Colour colour) {
  BmpImage image(frames * w, h);
  for (int f = 0; f < frames; ++f) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) image.SetPixel(f * w + x, y, 0xFF000000u | colour(f + 1, x, y));
    }
  }
  return image;
}

// Frame pixels that tell frame, column and row apart.
std::uint32_t Coded(int f, int x, int y) { return std::uint32_t(f) << 16 | std::uint32_t(x) << 8 | std::uint32_t(y); }

TEST(NineSlice, MarginsThatDoNotFitAreDroppedAndPiecesComeInDrawingOrder) {
  // a 10-pixel-wide destination cannot hold margins of 6 and 6: the frame spans the whole width
  auto pieces = NineSlicePieces(10, 30, 20, 20, {6, 4, 6, 4}, false);
  ASSERT_EQ(pieces.size(), 3u);  // top edge, centre, bottom edge
  EXPECT_EQ(pieces[0].dest, (TSkinRect{0, 0, 10, 4}));
  EXPECT_EQ(pieces[1].source, (TSkinRect{0, 4, 20, 16}));
  EXPECT_EQ(pieces[1].dest, (TSkinRect{0, 4, 10, 26}));
  EXPECT_EQ(pieces[2].dest, (TSkinRect{0, 26, 10, 30}));

  // all margins: corners first, the centre sixth, then what must cover tiles running over it
  pieces = NineSlicePieces(40, 30, 20, 20, {3, 4, 5, 6}, true);
  ASSERT_EQ(pieces.size(), 9u);
  const TSkinRect expectedDest[] = {{0, 0, 3, 4},   {0, 24, 3, 30},  {35, 0, 40, 4},   {0, 4, 3, 24},  {3, 0, 35, 4},
                                    {3, 4, 35, 24}, {35, 24, 40, 30}, {35, 4, 40, 24}, {3, 24, 35, 30}};
  for (std::size_t i = 0; i < pieces.size(); ++i) EXPECT_EQ(pieces[i].dest, expectedDest[i]) << i;
  EXPECT_TRUE(pieces[5].tiled);
  EXPECT_EQ(pieces[5].source, (TSkinRect{3, 4, 15, 14}));
  EXPECT_EQ(pieces[6].source, (TSkinRect{15, 14, 20, 20}));
  // without the centre (borders drawn around something that stays)
  EXPECT_EQ(NineSlicePieces(40, 30, 20, 20, {3, 4, 5, 6}, false, false).size(), 8u);
}

TEST(NineSlice, RendersTheChosenFrameWithCornersKeptAndEdgesStretched) {
  const BmpImage strip = Strip(3, 6, 6, Coded);
  const BmpImage out = RenderSkinImage(strip, 12, 9, {2, 2, 2, 2}, false, false, 3, 2);
  ASSERT_EQ(out.width, 12);
  ASSERT_EQ(out.height, 9);
  // corners copied pixel for pixel from frame 2
  EXPECT_EQ(Rgb(out, 0, 0), Coded(2, 0, 0));
  EXPECT_EQ(Rgb(out, 11, 8), Coded(2, 5, 5));
  EXPECT_EQ(Rgb(out, 10, 0), Coded(2, 4, 0));
  // the left edge keeps its columns and stretches its rows 2..3 over rows 2..6
  for (int y = 2; y < 7; ++y) {
    EXPECT_EQ(Rgb(out, 1, y) >> 8, Coded(2, 1, 0) >> 8);
    const int row = int(Rgb(out, 1, y) & 0xFF);
    EXPECT_TRUE(row == 2 || row == 3) << y;
  }
  // vertical strips count frames downwards
  const BmpImage tall = Strip(1, 4, 12, [](int, int x, int y) { return Coded(y / 4 + 1, x, y % 4); });
  const BmpImage third = RenderSkinImage(tall, 4, 4, {}, true, false, 3, 3);
  EXPECT_EQ(Rgb(third, 2, 1), Coded(3, 2, 1));
}

TEST(NineSlice, TiledCentreRepeatsFromItsTopLeftAndTheLastEdgesCoverTheOverhang) {
  // 8 × 8 frame, margins 2: centre 4 × 4, repeated over a 10 × 10 centre area
  const BmpImage frame = Strip(1, 8, 8, Coded);
  const BmpImage out = RenderSkinImage(frame, 14, 14, {2, 2, 2, 2}, false, true, 1, 1);
  for (int y = 2; y < 12; ++y) {
    for (int x = 2; x < 12; ++x) {
      EXPECT_EQ(Rgb(out, x, y), Coded(1, 2 + (x - 2) % 4, 2 + (y - 2) % 4)) << x << "," << y;
    }
  }
  // the right edge (columns 12, 13) shows the frame's right edge, not the third tile's overhang
  EXPECT_EQ(Rgb(out, 12, 5) >> 8 & 0xFF, 6u);
  EXPECT_EQ(Rgb(out, 5, 13) & 0xFF, 7u);
}

TEST(NineSlice, NeverReadsOutsideTheImageAndIgnoresEmptyOrInvertedTargets) {
  const BmpImage strip = Strip(2, 5, 5, Coded);
  // a frame past the strip's end and a count of 0 stay inside the image
  const BmpImage past = RenderSkinImage(strip, 7, 7, {1, 1, 1, 1}, false, true, 2, 5);
  EXPECT_EQ(past.Pixel(3, 3), 0u);
  const BmpImage zero = RenderSkinImage(strip, 7, 7, {}, false, false, 0, 1);
  EXPECT_EQ(Rgb(zero, 0, 0), Coded(1, 0, 0));
  EXPECT_EQ(RenderSkinImage(strip, -3, 4, {}, false, false, 2, 1).width, 0);
  // margins as a skin file may give them: negative ones count as 0, huge ones do not fit
  const BmpImage odd = RenderSkinImage(strip, 7, 7, {INT_MAX, -5, INT_MAX, 3}, false, true, 2, 1);
  EXPECT_EQ(Rgb(odd, 0, 0), Coded(1, 0, 0));
  EXPECT_EQ(Rgb(odd, 6, 6), Coded(1, 4, 4));
  // margins larger than a tiny frame give inverted source pieces, which draw nothing
  const BmpImage tiny = Strip(1, 2, 2, Coded);
  const BmpImage big = RenderSkinImage(tiny, 20, 20, {3, 3, 3, 3}, false, false, 1, 1);
  EXPECT_EQ(big.width, 20);
  BmpImage target(4, 4);
  DrawImage(target, -10, 2, strip, false);
  DrawImage(target, 3, 3, strip, false);
  EXPECT_EQ(Rgb(target, 3, 3), Coded(1, 0, 0));
  FillImageRect(target, {5, 5, 2, 2}, 0x123456);
  EXPECT_EQ(Rgb(target, 0, 0), 0u);
}

TEST(NineSlice, OnlyMagentaIsTransparent) {
  BmpImage below(3, 1);
  FillImageRect(below, {0, 0, 3, 1}, 0x0000FF);
  BmpImage over(3, 1);
  over.SetPixel(0, 0, 0xFFFF00FF);  // magenta
  over.SetPixel(1, 0, 0xFFFF00FE);  // nearly magenta
  over.SetPixel(2, 0, 0x00FF00FF);  // magenta with another fourth byte
  DrawImage(below, 0, 0, over, true);
  EXPECT_EQ(Rgb(below, 0, 0), 0x0000FFu);
  EXPECT_EQ(Rgb(below, 1, 0), 0xFF00FEu);
  EXPECT_EQ(Rgb(below, 2, 0), 0x0000FFu);
}

TEST(NineSlice, ComboStripComposesSunkEdgeButtonAndGlyphPerFrame) {
  constexpr int kArrow = 18;
  // sunk edge: 4 frames of 12 × 12, frame f filled with colour 0x10 * f with a magenta corner
  const BmpImage sunk = Strip(4, 12, 12, [](int f, int x, int y) {
    return x == 0 && y == 0 ? kKey : std::uint32_t(0x10 * f);
  });
  // button: 4 frames of 10 × 10, colour 0x1000 * f with a magenta left column
  const BmpImage button = Strip(4, 10, 10, [](int f, int x, int) { return x == 0 ? kKey : std::uint32_t(0x1000 * f); });
  // glyph: 5 frames of 4 × 2, colour 0x100000 * f
  const BmpImage glyph = Strip(5, 4, 2, [](int f, int, int) { return std::uint32_t(0x100000 * f); });
  TSkinStrip sunkStrip{&sunk, 4, {2, 2, 2, 2}, true, false};
  TSkinStrip buttonStrip{&button, 4, {2, 2, 2, 2}, true, false};
  TSkinStrip glyphStrip{&glyph, 5, {}, true, false};
  const BmpImage strip = BuildComboStrip(sunkStrip, buttonStrip, &glyphStrip, kArrow);
  ASSERT_EQ(strip.width, 4 * kComboCellWidth);
  ASSERT_EQ(strip.height, kComboCellHeight);
  for (int b = 1; b <= 4; ++b) {
    const int x0 = kComboCellWidth * (b - 1);
    EXPECT_EQ(Rgb(strip, x0, 0), kKey) << "transparent corner of the edge stays transparent";
    EXPECT_EQ(Rgb(strip, x0 + 1, 10), std::uint32_t(0x10 * b)) << "edge frame " << b;
    EXPECT_EQ(Rgb(strip, x0 + 10, 10), kKey) << "the field's hole";
    EXPECT_EQ(Rgb(strip, x0 + kComboCellWidth - 1 - kArrow, 10), std::uint32_t(0x10 * b)) << "edge right of the hole";
    EXPECT_EQ(Rgb(strip, x0 + kComboCellWidth - kArrow, 10), std::uint32_t(0x10 * b)) << "button's magenta column";
    EXPECT_EQ(Rgb(strip, x0 + kComboCellWidth - 3, 3), std::uint32_t(0x1000 * b)) << "button frame " << b;
    // glyph 4 × 2 centred in the 18 × 21 arrow part: x from 32 + 7, y from 9
    EXPECT_EQ(Rgb(strip, x0 + kComboCellWidth - kArrow + 7, 9), std::uint32_t(0x100000 * b)) << "glyph frame " << b;
    EXPECT_EQ(Rgb(strip, x0 + kComboCellWidth - kArrow + 6, 9), std::uint32_t(0x1000 * b));
  }
  // without a glyph the arrow part shows the button only
  const BmpImage plain = BuildComboStrip(sunkStrip, buttonStrip, nullptr, kArrow);
  EXPECT_EQ(Rgb(plain, kComboCellWidth - kArrow + 7, 9), 0x1000u);
}

}  // namespace
}  // namespace bus
