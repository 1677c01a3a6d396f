#include "tests/skin/control/DrawingSurface.h"

#include <cstdio>

#include "tests/support/WindowPicture.h"

namespace bus::test {

std::uint32_t Background(int x, int y) {
  return 0xFF000000u | std::uint32_t(x * 7 & 0xFF) << 16 | std::uint32_t(y * 13 & 0xFF) << 8 | 0x40;
}

BmpImage BackgroundImage(int w, int h) {
  BmpImage image(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) image.SetPixel(x, y, Background(x, y));
  }
  return image;
}

Surface::Surface(int w, int h) { bitmap_.FromImage(BackgroundImage(w, h), pf32bit); }

std::string FirstDifference(const BmpImage& actual, const BmpImage& expected) {
  if (actual.width != expected.width || actual.height != expected.height) return "the sizes differ";
  return Difference(actual, {0, 0, actual.width, actual.height}, expected);
}

BmpImage Composed(int w, int h, int x, int y, const BmpImage& pixels, bool transparent) {
  BmpImage image = BackgroundImage(w, h);
  DrawImage(image, x, y, pixels, transparent);
  return image;
}

}  // namespace bus::test
