#include "skin/data/BitmapFilters.h"

#include <algorithm>
#include <cstring>

namespace bus {

namespace {

std::uint32_t Load(const std::uint8_t* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

void Store(std::uint8_t* p, std::uint32_t v) { std::memcpy(p, &v, 4); }

// The image turned a quarter: result pixel (x, y) is source pixel from(x, y).
template <typename From>
void Turn(BmpImage& image, From from) {
  BmpImage turned(image.height, image.width);
  for (int y = 0; y < turned.height; ++y) {
    std::uint8_t* row = turned.Row(y);
    for (int x = 0; x < turned.width; ++x) {
      const auto [sx, sy] = from(x, y);
      Store(row + 4 * x, Load(image.Row(sy) + 4 * sx));
    }
  }
  image.width = turned.width;
  image.height = turned.height;
  image.pixels = std::move(turned.pixels);
}

}  // namespace

void GrayScale(BmpImage& image) {
  for (std::size_t i = 0; i + 3 < image.pixels.size(); i += 4) {
    std::uint8_t* p = image.pixels.data() + i;
    const std::uint8_t grey = std::uint8_t((unsigned(p[0]) + p[1] + p[2]) / 3);
    p[0] = p[1] = p[2] = grey;
  }
}

void MirrorHorizontal(BmpImage& image) {
  for (int y = 0; y < image.height; ++y) {
    std::uint8_t* row = image.Row(y);
    for (int l = 0, r = image.width - 1; l < r; ++l, --r) {
      const std::uint32_t left = Load(row + 4 * l);
      Store(row + 4 * l, Load(row + 4 * r));
      Store(row + 4 * r, left);
    }
  }
}

void FlipVertical(BmpImage& image) {
  const std::size_t rowBytes = std::size_t(image.width) * 4;
  for (int top = 0, bottom = image.height - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(image.Row(top), image.Row(top) + rowBytes, image.Row(bottom));
  }
}

void RotateLeft(BmpImage& image) {
  const int w = image.width;
  Turn(image, [w](int x, int y) { return std::pair{w - 1 - y, x}; });
}

void RotateRight(BmpImage& image) {
  const int h = image.height;
  Turn(image, [h](int x, int y) { return std::pair{y, h - 1 - x}; });
}

}  // namespace bus
