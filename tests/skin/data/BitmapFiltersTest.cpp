#include <gtest/gtest.h>

#include "skin/data/BitmapFilters.h"

namespace bus {
namespace {

// A W x H image in which every pixel is distinct.
BmpImage Numbered(int w, int h) {
  BmpImage image(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) image.SetPixel(x, y, 0xFF000000u | std::uint32_t(x) << 16 | std::uint32_t(y) << 8 | std::uint32_t(x * 7 + y));
  }
  return image;
}

bool Same(const BmpImage& a, const BmpImage& b) { return a.width == b.width && a.height == b.height && a.pixels == b.pixels; }

TEST(BitmapFilters, GreyAveragesEachPixel) {
  BmpImage image(2, 1);
  image.SetPixel(0, 0, 0xFFFF0000u);  // pure red
  image.SetPixel(1, 0, 0x800A1420u);  // 10, 20, 32 with alpha 128
  GrayScale(image);
  EXPECT_EQ(image.Pixel(0, 0), 0xFF555555u);
  EXPECT_EQ(image.Pixel(1, 0), 0x80141414u);  // 62 / 3 rounds down; alpha stays
}

TEST(BitmapFilters, OnePixelIsLeftAlone) {
  const BmpImage one = Numbered(1, 1);
  for (auto filter : {MirrorHorizontal, FlipVertical, RotateLeft, RotateRight}) {
    BmpImage image = one;
    filter(image);
    EXPECT_TRUE(Same(image, one));
  }
  BmpImage empty;
  for (auto filter : {GrayScale, MirrorHorizontal, FlipVertical, RotateLeft, RotateRight}) filter(empty);
  EXPECT_EQ(empty.width * empty.height, 0);
}

TEST(BitmapFilters, MirrorAndFlipMoveEveryPixel) {
  const BmpImage source = Numbered(5, 3);
  BmpImage mirrored = source;
  MirrorHorizontal(mirrored);
  BmpImage flipped = source;
  FlipVertical(flipped);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(mirrored.Pixel(x, y), source.Pixel(4 - x, y));
      EXPECT_EQ(flipped.Pixel(x, y), source.Pixel(x, 2 - y));
    }
  }
}

TEST(BitmapFilters, MirroredStripHoldsMirroredFramesInReverseOrder) {
  constexpr int kFrames = 4, kFrameWidth = 3, kHeight = 2;
  const BmpImage strip = Numbered(kFrames * kFrameWidth, kHeight);
  BmpImage mirrored = strip;
  MirrorHorizontal(mirrored);
  for (int f = 0; f < kFrames; ++f) {
    const int from = (kFrames - 1 - f) * kFrameWidth;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kFrameWidth; ++x) {
        EXPECT_EQ(mirrored.Pixel(f * kFrameWidth + x, y), strip.Pixel(from + kFrameWidth - 1 - x, y));
      }
    }
  }
}

TEST(BitmapFilters, QuarterTurns) {
  const BmpImage source = Numbered(4, 3);
  BmpImage left = source;
  RotateLeft(left);
  BmpImage right = source;
  RotateRight(right);
  ASSERT_EQ(left.width, 3);
  ASSERT_EQ(left.height, 4);
  ASSERT_EQ(right.width, 3);
  ASSERT_EQ(right.height, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(left.Pixel(x, y), source.Pixel(4 - 1 - y, x));
      EXPECT_EQ(right.Pixel(x, y), source.Pixel(y, 3 - 1 - x));
    }
  }
  // the top-right corner turns to the top left, and back
  EXPECT_EQ(left.Pixel(0, 0), source.Pixel(3, 0));
  RotateRight(left);
  EXPECT_TRUE(Same(left, source));
}

}  // namespace
}  // namespace bus
