// The menu-bar window-button glyphs: a one-bit 64 × 16 strip of four black glyphs on white.
#include <gtest/gtest.h>

#include "core/BmpFile.h"
#include "tools/skindraw/MenuGlyphs.h"

namespace bus {
namespace {

TEST(MenuGlyphs, FourBlackGlyphsOnWhiteInOneBitPerPixel) {
  const std::vector<std::uint8_t> file = tools::DrawMenuGlyphs();
  const BmpImage image = DecodeBmp(file);
  ASSERT_EQ(image.width, 64);
  ASSERT_EQ(image.height, 16);
  EXPECT_EQ(image.sourceBitsPerPixel, 1);
  int ink[4] = {};
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 64; ++x) {
      const std::uint32_t rgb = image.Pixel(x, y) & 0xFFFFFF;
      ASSERT_TRUE(rgb == 0 || rgb == 0xFFFFFF) << x << "," << y;
      if (rgb == 0) ++ink[x / 16];
      // each glyph keeps a white border, so neighbours never touch
      if (x % 16 < 2 || x % 16 > 13 || y < 2 || y > 13) {
        EXPECT_EQ(rgb, 0xFFFFFFu) << x << "," << y;
      }
    }
  }
  for (int g = 0; g < 4; ++g) EXPECT_GT(ink[g], 10) << g;
  // minimise is a bar at the bottom; maximise is an outlined box with a thick top; close crosses
  EXPECT_EQ(image.Pixel(32 + 7, 11) & 0xFFFFFF, 0u);
  EXPECT_EQ(image.Pixel(32 + 7, 5) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(image.Pixel(16 + 3, 7) & 0xFFFFFF, 0u);
  EXPECT_EQ(image.Pixel(16 + 7, 7) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(image.Pixel(48 + 7, 7) & 0xFFFFFF, 0u);
}

}  // namespace
}  // namespace bus
