#include "skin/data/BitmapFilters.h"

#include <algorithm>

namespace bus {

void GrayScale(PixelImage& image) {
  for (int y = 0; y < image.Height(); ++y) {
    std::uint32_t* row = image.Row(y);
    for (int x = 0; x < image.Width(); ++x) {
      const std::uint32_t p = row[x];
      const std::uint32_t grey = ((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) / 3;
      row[x] = grey << 16 | grey << 8 | grey;
    }
  }
}

void MirrorHorizontal(PixelImage& image) {
  for (int y = 0; y < image.Height(); ++y) std::reverse(image.Row(y), image.Row(y) + image.Width());
}

void FlipVertical(PixelImage& image) {
  for (int top = 0, bottom = image.Height() - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(image.Row(top), image.Row(top) + image.Width(), image.Row(bottom));
  }
}

void RotateLeft(PixelImage& image) {
  const int w = image.Width();
  const int h = image.Height();
  PixelImage turned(h, w);
  for (int y = 0; y < w; ++y) {
    for (int x = 0; x < h; ++x) turned.Set(x, y, image.At(w - 1 - y, x));
  }
  image = std::move(turned);
}

void RotateRight(PixelImage& image) {
  const int w = image.Width();
  const int h = image.Height();
  PixelImage turned(h, w);
  for (int y = 0; y < w; ++y) {
    for (int x = 0; x < h; ++x) turned.Set(x, y, image.At(y, h - 1 - x));
  }
  image = std::move(turned);
}

}  // namespace bus
