// Helpers of the graphics tests: pixels read back from bitmaps, and GDI object counts
// (GdiObjectCount.h).
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/graphics/Bitmap.h"
#include "tests/support/GdiObjectCount.h"

namespace bus::test {

// The colour at (x, y) of a 24- or 32-bit bitmap as 0xRRGGBB, read through ScanLine.
inline std::uint32_t RgbAt(const TBitmap& bitmap, int x, int y) {
  const std::uint8_t* p = bitmap.ScanLine(y) + x * (bitmap.PixelFormat() == pf32bit ? 4 : 3);
  return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
}

// A COLORREF (0x00BBGGRR) as 0xRRGGBB.
inline std::uint32_t Rgb(COLORREF c) { return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF); }

// Number of pixels of the colour (0xRRGGBB) inside the rectangle of the bitmap.
inline int CountColour(const TBitmap& bitmap, const RECT& r, std::uint32_t rgb) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += RgbAt(bitmap, x, y) == rgb;
  return n;
}

}  // namespace bus::test
