// Putting rendered pixels into device contexts: both ways of a keyed copy (a few rectangles of the
// image's own pixels, or the DC's pixels read back for an image with many holes) give the same
// picture, and neither writes outside the DC's clipping.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "skin/control/PixelTransfer.h"
#include "tests/skin/control/DrawingSurface.h"

namespace bus {
namespace {

using test::BackgroundImage;
using test::Composed;
using test::FirstDifference;
using test::Surface;

// A 20 × 12 picture: a rounded ground with a magenta border of corners (a few rectangles), or
// magenta in every third pixel (far more than are worth drawing one by one).
BmpImage Picture(bool holes) {
  BmpImage image(20, 12);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 20; ++x) {
      const bool corner = (x < 2 || x > 17) && (y < 2 || y > 9);
      const bool key = holes ? (x + 2 * y) % 3 == 0 : corner;
      image.SetPixel(x, y, key ? 0xFFFF00FF : 0xFF000000u | test::Coded(1, x, y));
    }
  }
  return image;
}

TEST(PixelTransfer, BothKeyedWaysLayTheImageOverTheDcWithinItsClipping) {
  for (const bool holes : {false, true}) {
    const BmpImage picture = Picture(holes);
    ASSERT_EQ(OpaqueBlocks(ViewOf(picture), kSkinTransparent).size() > 64, holes);
    Surface surface(40, 30);
    EXPECT_TRUE(PutPixels(surface.Dc(), 5, 6, ViewOf(picture), kSkinTransparent));
    EXPECT_EQ(FirstDifference(surface.Pixels(), Composed(40, 30, 5, 6, picture, true)), "") << "holes " << holes;

    // clipped to (10, 8)-(18, 14): outside the clipping nothing changes, the read-back way included
    Surface clipped(40, 30);
    IntersectClipRect(clipped.Dc(), 10, 8, 18, 14);
    EXPECT_TRUE(PutPixels(clipped.Dc(), 5, 6, ViewOf(picture), kSkinTransparent));
    SelectClipRgn(clipped.Dc(), nullptr);
    BmpImage expected = BackgroundImage(40, 30);
    const BmpImage full = Composed(40, 30, 5, 6, picture, true);
    for (int y = 8; y < 14; ++y) {
      for (int x = 10; x < 18; ++x) expected.SetPixel(x, y, full.Pixel(x, y));
    }
    EXPECT_EQ(FirstDifference(clipped.Pixels(), expected), "") << "holes " << holes;
  }
}

TEST(PixelTransfer, RowsOfAnyLayoutAndNothingToPut) {
  // 24-bit rows packed without padding (no DIB is laid out that way) and 32-bit rows with a gap
  const BmpImage picture = Picture(false);
  std::vector<std::uint8_t> packed(std::size_t(20 * 3 * 12)), gapped(std::size_t(24 * 4 * 12), 0x77);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 20; ++x) {
      std::copy_n(picture.Row(y) + 4 * x, 3, &packed[std::size_t(y * 60 + 3 * x)]);
      std::copy_n(picture.Row(y) + 4 * x, 4, &gapped[std::size_t(y * 96 + 4 * x)]);
    }
  }
  for (const PixelView& view : {PixelView{packed.data(), 20, 12, 60, 3}, PixelView{gapped.data(), 20, 12, 96, 4}}) {
    for (const bool keyed : {false, true}) {
      Surface surface(30, 20);
      EXPECT_TRUE(PutPixels(surface.Dc(), 3, 4, view, keyed ? std::optional(kSkinTransparent) : std::nullopt));
      EXPECT_EQ(FirstDifference(surface.Pixels(), Composed(30, 20, 3, 4, picture, keyed)), "")
          << view.bytesPerPixel << " bytes a pixel" << (keyed ? ", keyed" : "");
    }
  }
  // nothing to put is done at once; no DC fails
  Surface surface(10, 10);
  EXPECT_TRUE(PutPixels(surface.Dc(), 0, 0, PixelView{}, kSkinTransparent));
  EXPECT_FALSE(PutPixels(nullptr, 0, 0, ViewOf(picture)));
  EXPECT_FALSE(PutPixels(nullptr, 0, 0, ViewOf(Picture(true)), kSkinTransparent));
  EXPECT_EQ(FirstDifference(surface.Pixels(), BackgroundImage(10, 10)), "");
}

}  // namespace
}  // namespace bus
