// Cutting frames out of skin strips and fitting them by their margins; the composed combo-box strip.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>

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
  EXPECT_TRUE(OpaqueBlocks(ViewOf(past), 0).empty()) << "all black: no corner of another frame either";
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

// The rows of `image` as a 24-bit bitmap keeps them: three bytes a pixel, rows padded to 4 bytes.
struct Rows24 {
  explicit Rows24(const BmpImage& image) : stride((image.width * 3 + 3) / 4 * 4) {
    bytes.assign(std::size_t(stride) * std::size_t(image.height), 0xEE);
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) std::memcpy(&bytes[std::size_t(stride * y + 3 * x)], image.Row(y) + 4 * x, 3);
    }
    view = {bytes.data(), image.width, image.height, stride, 3};
  }
  int stride;                       // bytes a row
  std::vector<std::uint8_t> bytes;  // the rows
  PixelView view;                   // over bytes
};

TEST(NineSlice, AnyPartRendersThePixelsTheWholeRenderingHasThere) {
  // odd frame sizes, a tiled centre whose tiles run over, a 24-bit strip read in place
  const BmpImage strip = Strip(3, 9, 7, Coded);
  const Rows24 rows(strip);
  constexpr TSkinMargins kMargins{2, 3, 3, 1};
  for (const bool tile : {false, true}) {
    const BmpImage whole = RenderSkinImage(strip, 23, 17, kMargins, false, tile, 3, 2);
    EXPECT_EQ(RenderSkinImage(rows.view, 23, 17, kMargins, false, tile, 3, 2).pixels, whole.pixels)
        << "24-bit rows give the same pixels, with a fourth byte of 255";
    for (const TSkinRect part : {TSkinRect{0, 0, 23, 17}, TSkinRect{5, 4, 12, 9}, TSkinRect{20, 14, 30, 25},
                                 TSkinRect{-4, -2, 3, 2}}) {
      BmpImage out(part.Width(), part.Height());
      FillImageRect(out, {0, 0, out.width, out.height}, 0x123456);
      RenderSkinPart(rows.view, 23, 17, part, kMargins, false, tile, 3, 2, true, TargetOf(out));
      for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
          const int wx = part.left + x, wy = part.top + y;
          const bool inside = wx >= 0 && wy >= 0 && wx < whole.width && wy < whole.height;
          ASSERT_EQ(out.Pixel(x, y), inside ? whole.Pixel(wx, wy) : 0xFF123456u)
              << "tile " << tile << " part " << part.left << "," << part.top << " at " << x << "," << y;
        }
      }
    }
  }
}

TEST(NineSlice, BorderBandsAreWhatTheBorderPiecesCoverAndTheInsideStaysUntouched) {
  EXPECT_EQ(SkinBorderBands(40, 30, {3, 4, 5, 6}),
            (std::vector<TSkinRect>{{0, 0, 40, 4}, {0, 24, 40, 30}, {0, 4, 3, 24}, {35, 4, 40, 24}}));
  // margins that do not fit count as 0 in that direction: only the top and bottom bands remain
  EXPECT_EQ(SkinBorderBands(7, 30, {4, 4, 4, 4}), (std::vector<TSkinRect>{{0, 0, 7, 4}, {0, 26, 7, 30}}));
  EXPECT_TRUE(SkinBorderBands(7, 7, {4, 4, 4, 4}).empty());
  // no top or bottom margin: the side bands run the whole height
  EXPECT_EQ(SkinBorderBands(20, 9, {2, 0, 2, 0}), (std::vector<TSkinRect>{{0, 0, 2, 9}, {18, 0, 20, 9}}));

  // drawn without the centre over a known picture: the bands change, nothing else does
  const BmpImage strip = Strip(2, 10, 10, Coded);
  for (const TSkinMargins m : {TSkinMargins{3, 4, 2, 1}, TSkinMargins{2, 0, 2, 0}, TSkinMargins{0, 3, 0, 3}}) {
    const BmpImage whole = RenderSkinImage(strip, 25, 19, m, false, false, 2, 2);
    BmpImage out(25, 19);
    FillImageRect(out, {0, 0, 25, 19}, 0x654321);
    RenderSkinPart(ViewOf(strip), 25, 19, {0, 0, 25, 19}, m, false, false, 2, 2, false, TargetOf(out));
    const auto bands = SkinBorderBands(25, 19, m);
    for (int y = 0; y < 19; ++y) {
      for (int x = 0; x < 25; ++x) {
        const bool inBand = std::any_of(bands.begin(), bands.end(), [&](TSkinRect b) {
          return x >= b.left && x < b.right && y >= b.top && y < b.bottom;
        });
        ASSERT_EQ(out.Pixel(x, y), inBand ? whole.Pixel(x, y) : 0xFF654321u) << x << "," << y;
      }
    }
  }
}

TEST(NineSlice, TilesRepeatWholeAndCentredPicturesTruncateTowardZero) {
  const BmpImage image = Strip(1, 6, 5, Coded);
  // a 3 × 2 tile over 10 × 5: four columns and three rows of whole tiles, the last ones not cut
  const BmpImage tiles = RenderTiles(ViewOf(image), {1, 2, 4, 4}, 10, 5);
  ASSERT_EQ(tiles.width, 12);
  ASSERT_EQ(tiles.height, 6);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 12; ++x) ASSERT_EQ(Rgb(tiles, x, y), Coded(1, 1 + x % 3, 2 + y % 2)) << x << "," << y;
  }
  // a source running past the image is cut to it; nothing to repeat or nowhere to repeat it
  EXPECT_EQ(RenderTiles(ViewOf(image), {4, 3, 9, 9}, 5, 5).width, 6);
  EXPECT_EQ(RenderTiles(ViewOf(image), {4, 3, 9, 9}, 5, 5).height, 6);
  EXPECT_EQ(RenderTiles(ViewOf(image), {7, 0, 9, 2}, 5, 5).width, 0);
  EXPECT_EQ(RenderTiles(ViewOf(image), {0, 0, 2, 2}, 0, 5).width, 0);

  EXPECT_EQ(CentredRect({10, 20, 25, 30}, 4, 3), (TSkinRect{15, 23, 19, 26}));
  // larger than the area: (10 − 15) / 2 is −2, not −3
  EXPECT_EQ(CentredRect({0, 0, 10, 10}, 15, 13), (TSkinRect{-2, -1, 13, 12}));
}

TEST(NineSlice, AnyKeyColourAndTwentyFourBitSources) {
  // a 24-bit source with a blue key over a 32-bit target
  BmpImage over(3, 1);
  over.SetPixel(0, 0, 0xFF0000FF);
  over.SetPixel(1, 0, 0xFFFF00FF);
  over.SetPixel(2, 0, 0x000000FF);
  const Rows24 rows(over);
  BmpImage below(4, 2);
  FillImageRect(below, {0, 0, 4, 2}, 0x00FF00);
  DrawImage(TargetOf(below), 1, 1, rows.view, 0x0000FF);
  EXPECT_EQ(below.Pixel(1, 1), 0xFF00FF00u);
  EXPECT_EQ(below.Pixel(2, 1), 0xFFFF00FFu) << "magenta is an ordinary colour under another key";
  EXPECT_EQ(below.Pixel(3, 1), 0xFF00FF00u);
  DrawImage(TargetOf(below), -1, 0, rows.view, std::nullopt);
  EXPECT_EQ(below.Pixel(0, 0), 0xFFFF00FFu);
  EXPECT_EQ(below.Pixel(1, 0), 0xFF0000FFu);
}

TEST(NineSlice, OpaqueBlocksCoverExactlyTheOtherPixelsAndMergeEqualRows) {
  // rounded corners: rows 0 and 4 differ, rows 1 to 3 are alike; a hole in row 2 splits it
  const char* picture[] = {".####.", "######", "##.###", "######", ".####."};
  BmpImage image(6, 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 6; ++x) image.SetPixel(x, y, picture[y][x] == '.' ? 0xFFFF00FF : 0xFF102030);
  }
  const Rows24 rows(image);
  for (const PixelView& view : {ViewOf(image), rows.view}) {
    EXPECT_EQ(OpaqueBlocks(view, kSkinTransparent),
              (std::vector<TSkinRect>{{1, 0, 5, 1}, {0, 1, 6, 2}, {0, 2, 2, 3}, {3, 2, 6, 3}, {0, 3, 6, 4}, {1, 4, 5, 5}}));
  }
  // equal rows make one block per run
  BmpImage bars(7, 9);
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 7; ++x) bars.SetPixel(x, y, x % 3 == 0 ? 0xFFFF00FF : 0xFF000000);
  }
  EXPECT_EQ(OpaqueBlocks(ViewOf(bars), kSkinTransparent), (std::vector<TSkinRect>{{1, 0, 3, 9}, {4, 0, 6, 9}}));
  // the fourth byte does not count; an image all of the key has no blocks; past the limit it stops
  bars.pixels[3] = 0x12;
  EXPECT_EQ(OpaqueBlocks(ViewOf(bars), kSkinTransparent).size(), 2u);
  EXPECT_EQ(OpaqueBlocks(ViewOf(bars), 0x000000).size(), 3u);
  FillImageRect(bars, {0, 0, 7, 9}, kSkinTransparent);
  EXPECT_TRUE(OpaqueBlocks(ViewOf(bars), kSkinTransparent).empty());
  EXPECT_TRUE(OpaqueBlocks(PixelView{}, 0).empty());
  BmpImage checker(8, 8);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) checker.SetPixel(x, y, (x + y) % 2 ? 0xFFFF00FF : 0xFF000000);
  }
  EXPECT_EQ(OpaqueBlocks(ViewOf(checker), kSkinTransparent).size(), 32u);
  EXPECT_EQ(OpaqueBlocks(ViewOf(checker), kSkinTransparent, 5).size(), 8u) << "two rows, then it stops";
}

TEST(NineSlice, BandsKeepTheirEndsRepeatTheMiddleAndStretchEveryPartToTheFullHeight) {
  // frames of 8 × 3 stacked two high; frame 2, margins 2 and 2: a middle of 4 columns
  const BmpImage strip = Strip(1, 8, 6, [](int, int x, int y) { return Coded(y / 3 + 1, x, y % 3); });
  const BmpImage band = RenderSkinBand(ViewOf(strip), 15, 6, true, 2, 2, {2, 9, 2, 9});
  ASSERT_EQ(band.width, 15);
  ASSERT_EQ(band.height, 6);
  // columns: the left end, the middle from column 2 again and again, the right end last
  const int expectedColumn[15] = {0, 1, 2, 3, 4, 5, 2, 3, 4, 5, 2, 3, 4, 6, 7};
  for (int x = 0; x < 15; ++x) {
    for (int y = 0; y < 6; ++y) EXPECT_EQ(Rgb(band, x, y), Coded(2, expectedColumn[x], y / 2)) << x << "," << y;
  }
}

TEST(NineSlice, ABandWhoseFrameHasNoMiddleIsStretchedWholeAndEnds) {
  // a frame no wider than its margins would never advance its middle: the frame spans the band
  const BmpImage frame = Strip(1, 4, 2, Coded);
  for (const TSkinMargins margins : {TSkinMargins{2, 0, 2, 0}, TSkinMargins{3, 0, 5, 0}}) {
    const BmpImage band = RenderSkinBand(ViewOf(frame), 12, 2, false, 1, 1, margins);
    ASSERT_EQ(band.width, 12);
    for (int x = 0; x < 12; ++x) EXPECT_EQ(Rgb(band, x, 1), Coded(1, x / 3, 1)) << x;
  }
  // no such frame, or nothing to fill: black or empty, never a read outside the strip
  EXPECT_EQ(Rgb(RenderSkinBand(ViewOf(frame), 5, 2, false, 1, 2, {1, 0, 1, 0}), 2, 1), 0u);
  EXPECT_EQ(RenderSkinBand(ViewOf(frame), -3, 2, false, 1, 1, {1, 0, 1, 0}).width, 0);
}

}  // namespace
}  // namespace bus
