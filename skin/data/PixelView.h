// Pixel rows that someone else owns, as the skin drawing reads and writes them: a BmpImage, or the
// memory of a DIB section (a skin object's bitmap, an off-screen buffer). Reading straight from a
// bitmap's own rows spares a copy of the whole strip on every drawing call. Portable.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/BmpFile.h"

namespace bus {

// Read-only rows of 24- or 32-bit pixels: blue, green, red (and a fourth byte at 32 bits), the top
// row first, `stride` bytes from one row to the next.
struct PixelView {
  const std::uint8_t* bits = nullptr;  // first pixel of the top row
  int width = 0;                       // pixels
  int height = 0;                      // pixels
  std::ptrdiff_t stride = 0;           // bytes from one row to the next
  int bytesPerPixel = 4;               // 3 or 4

  const std::uint8_t* Row(int y) const noexcept { return bits + stride * y; }
  bool Empty() const noexcept { return !bits || width <= 0 || height <= 0; }
};

// Writable rows of 32-bit pixels (blue, green, red, fourth byte), the top row first.
struct PixelTarget {
  std::uint8_t* bits = nullptr;  // first pixel of the top row
  int width = 0;                 // pixels
  int height = 0;                // pixels
  std::ptrdiff_t stride = 0;     // bytes from one row to the next

  std::uint8_t* Row(int y) const noexcept { return bits + stride * y; }
};

inline PixelView ViewOf(const BmpImage& image) noexcept {
  return {image.pixels.data(), image.width, image.height, std::ptrdiff_t(image.width) * 4, 4};
}

inline PixelTarget TargetOf(BmpImage& image) noexcept {
  return {image.pixels.data(), image.width, image.height, std::ptrdiff_t(image.width) * 4};
}

}  // namespace bus
