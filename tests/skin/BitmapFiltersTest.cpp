#include <gtest/gtest.h>

#include "skin/data/BitmapFilters.h"

namespace bus {
namespace {

// A W x H image whose pixel (x, y) is 0x00XXYY.. so that every pixel is distinct.
PixelImage Numbered(int w, int h) {
  PixelImage image(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) image.Set(x, y, Rgb(unsigned(x), unsigned(y), unsigned(x * 7 + y)));
  }
  return image;
}

TEST(BitmapFilters, GreyAveragesEachPixel) {
  PixelImage image(2, 1);
  image.Set(0, 0, Rgb(255, 0, 0));
  image.Set(1, 0, Rgb(10, 20, 32));
  GrayScale(image);
  EXPECT_EQ(image.At(0, 0), Rgb(85, 85, 85));
  EXPECT_EQ(image.At(1, 0), Rgb(20, 20, 20));  // 62 / 3 rounds down
}

TEST(BitmapFilters, OnePixelIsLeftAlone) {
  const PixelImage one = Numbered(1, 1);
  for (auto filter : {MirrorHorizontal, FlipVertical, RotateLeft, RotateRight}) {
    PixelImage image = one;
    filter(image);
    EXPECT_EQ(image, one);
  }
  PixelImage empty;
  for (auto filter : {GrayScale, MirrorHorizontal, FlipVertical, RotateLeft, RotateRight}) filter(empty);
  EXPECT_TRUE(empty.Empty());
}

TEST(BitmapFilters, MirrorAndFlipMoveEveryPixel) {
  const PixelImage source = Numbered(5, 3);
  PixelImage mirrored = source;
  MirrorHorizontal(mirrored);
  PixelImage flipped = source;
  FlipVertical(flipped);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(mirrored.At(x, y), source.At(4 - x, y));
      EXPECT_EQ(flipped.At(x, y), source.At(x, 2 - y));
    }
  }
}

TEST(BitmapFilters, MirroredStripHoldsMirroredFramesInReverseOrder) {
  constexpr int kFrames = 4, kFrameWidth = 3, kHeight = 2;
  const PixelImage strip = Numbered(kFrames * kFrameWidth, kHeight);
  PixelImage mirrored = strip;
  MirrorHorizontal(mirrored);
  for (int f = 0; f < kFrames; ++f) {
    const int from = (kFrames - 1 - f) * kFrameWidth;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kFrameWidth; ++x) {
        EXPECT_EQ(mirrored.At(f * kFrameWidth + x, y), strip.At(from + kFrameWidth - 1 - x, y));
      }
    }
  }
}

TEST(BitmapFilters, QuarterTurns) {
  const PixelImage source = Numbered(4, 3);
  PixelImage left = source;
  RotateLeft(left);
  PixelImage right = source;
  RotateRight(right);
  ASSERT_EQ(left.Width(), 3);
  ASSERT_EQ(left.Height(), 4);
  ASSERT_EQ(right.Width(), 3);
  ASSERT_EQ(right.Height(), 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(left.At(x, y), source.At(4 - 1 - y, x));
      EXPECT_EQ(right.At(x, y), source.At(y, 3 - 1 - x));
    }
  }
  // the top-right corner turns to the top left, and back
  EXPECT_EQ(left.At(0, 0), source.At(3, 0));
  RotateRight(left);
  EXPECT_EQ(left, source);
}

}  // namespace
}  // namespace bus
