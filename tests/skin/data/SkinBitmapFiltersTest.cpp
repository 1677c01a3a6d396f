// The filters on real bitmaps (DIB sections), under Wine.
#include <gtest/gtest.h>

#include "skin/data/SkinBitmapFilters.h"

namespace bus {
namespace {

// A w x h bitmap in which every pixel is distinct.
void Number(TBitmap& bitmap, int w, int h) {
  BmpImage image(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) image.SetPixel(x, y, 0xFF000000u | std::uint32_t(x * 9 + 1) << 16 | std::uint32_t(y * 5 + 2) << 8 | std::uint32_t(x + y));
  }
  bitmap.FromImage(image, pf24bit);
}

std::uint32_t Pixel(const TBitmap& bitmap, int x, int y) {
  const std::uint8_t* p = bitmap.ScanLine(y) + 3 * x;
  return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
}

TEST(SkinBitmapFilters, OnePixelAndGrey) {
  TBitmap one;
  Number(one, 1, 1);
  const std::uint32_t before = Pixel(one, 0, 0);
  for (auto filter : {static_cast<void (*)(TBitmap&)>(MirrorHorizontal), static_cast<void (*)(TBitmap&)>(FlipVertical),
                      static_cast<void (*)(TBitmap&)>(RotateLeft), static_cast<void (*)(TBitmap&)>(RotateRight)}) {
    filter(one);
    ASSERT_EQ(one.Width(), 1);
    ASSERT_EQ(one.Height(), 1);
    EXPECT_EQ(Pixel(one, 0, 0), before);
  }
  // grey turns a 32-bit bitmap into a 24-bit one; pure red becomes 85, 85, 85
  TBitmap red(2, 1, pf32bit);
  red.ScanLine(0)[2] = 255;
  red.ScanLine(0)[4 + 0] = 30;
  GrayScale(red);
  EXPECT_EQ(red.PixelFormat(), pf24bit);
  EXPECT_EQ(Pixel(red, 0, 0), 0x555555u);
  EXPECT_EQ(Pixel(red, 1, 0), 0x0A0A0Au);
}

TEST(SkinBitmapFilters, MirroredStripAndTurns) {
  constexpr int kFrames = 3, kFrameWidth = 4, kHeight = 5;
  TBitmap strip;
  Number(strip, kFrames * kFrameWidth, kHeight);
  TBitmap mirrored;
  mirrored.Assign(strip);
  MirrorHorizontal(mirrored);
  for (int f = 0; f < kFrames; ++f) {
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kFrameWidth; ++x) {
        EXPECT_EQ(Pixel(mirrored, f * kFrameWidth + x, y), Pixel(strip, (kFrames - f) * kFrameWidth - 1 - x, y));
      }
    }
  }
  const int w = kFrames * kFrameWidth;
  TBitmap turned;
  turned.Assign(strip);
  RotateLeft(turned);
  ASSERT_EQ(turned.Width(), kHeight);
  ASSERT_EQ(turned.Height(), w);
  for (int y = 0; y < w; ++y)
    for (int x = 0; x < kHeight; ++x) ASSERT_EQ(Pixel(turned, x, y), Pixel(strip, w - 1 - y, x)) << x << "," << y;
  RotateRight(turned);
  ASSERT_EQ(turned.Width(), w);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < w; ++x) ASSERT_EQ(Pixel(turned, x, y), Pixel(strip, x, y)) << x << "," << y;
  TBitmap flipped;
  flipped.Assign(strip);
  FlipVertical(flipped);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < w; ++x) ASSERT_EQ(Pixel(flipped, x, y), Pixel(strip, x, kHeight - 1 - y)) << x << "," << y;
  TBitmap empty;
  RotateLeft(empty);
  EXPECT_TRUE(empty.Empty());
}

// The turns read any bitmap and write 24-bit pixels: a 32-bit one comes out 24-bit, each pixel
// where the turn puts it.
TEST(SkinBitmapFilters, QuarterTurnsOfA32BitBitmapGive24BitPixels) {
  constexpr int kW = 3, kH = 2;
  for (auto turn : {static_cast<void (*)(TBitmap&)>(RotateLeft), static_cast<void (*)(TBitmap&)>(RotateRight)}) {
    TBitmap source;
    Number(source, kW, kH);
    source.SetPixelFormat(pf32bit);
    ASSERT_EQ(source.PixelFormat(), pf32bit);
    TBitmap turned;
    turned.Assign(source);
    turn(turned);
    EXPECT_EQ(turned.PixelFormat(), pf24bit);
    ASSERT_EQ(turned.Width(), kH);
    ASSERT_EQ(turned.Height(), kW);
    source.SetPixelFormat(pf24bit);
    const bool left = turn == static_cast<void (*)(TBitmap&)>(RotateLeft);
    for (int y = 0; y < kW; ++y)
      for (int x = 0; x < kH; ++x)
        EXPECT_EQ(Pixel(turned, x, y), left ? Pixel(source, kW - 1 - y, x) : Pixel(source, y, kH - 1 - x)) << x << "," << y;
  }
}

}  // namespace
}  // namespace bus
