// BMP files (device-independent bitmap files): the one place that understands their bytes.
//
// DecodeBmp reads every common kind of BMP file into 32-bit pixels: the OS/2 core header and the
// Windows info headers (40, 52, 56, 64, 108 and 124 bytes), 1, 4 and 8 bits per pixel with a colour
// table, 16 and 32 bits with default or explicit bit masks, 24 bits, RLE8 and RLE4 compression,
// bottom-up and top-down row order. Every size and offset is checked against the bytes actually
// given; anything that is not a valid BMP file raises EInvalidGraphic and never reads or writes
// outside the input or the result. EncodeBmp writes plain 24- or 32-bit files that the platform and
// DecodeBmp read back unchanged.
//
// Portable: no platform header. The Windows bitmap class loads and saves through these functions,
// and tools that draw skin bitmaps write them with EncodeBmp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/Exception.h"

namespace bus {

// The bitmap loader's error: the bytes are not a valid (or not a supported) BMP file.
class EInvalidGraphic : public Exception {
public:
  using Exception::Exception;
};

// Largest width or height DecodeBmp accepts, and the largest number of pixels (width × height).
inline constexpr int kMaxBmpDimension = 32767;
inline constexpr std::int64_t kMaxBmpPixels = std::int64_t(1) << 22;

// An image of Width() × Height() pixels, four bytes each in the order blue, green, red, alpha,
// rows from the top down without padding (the row of y starts at byte 4 × width × y).
struct BmpImage {
  int width = 0;                      // pixels, 0 for an empty image
  int height = 0;                     // pixels, 0 for an empty image
  int sourceBitsPerPixel = 0;         // bit depth of the decoded file (1, 4, 8, 16, 24 or 32); 0 otherwise
  bool sourceHasAlpha = false;        // the file's pixels carried a fourth byte or an alpha mask
  std::vector<std::uint8_t> pixels;   // 4 × width × height bytes

  BmpImage() = default;
  // An image of the given size with every byte zero.
  BmpImage(int w, int h);

  std::uint8_t* Row(int y) noexcept { return pixels.data() + std::size_t(width) * 4 * std::size_t(y); }
  const std::uint8_t* Row(int y) const noexcept {
    return pixels.data() + std::size_t(width) * 4 * std::size_t(y);
  }
  // The pixel at (x, y) as 0xAARRGGBB.
  std::uint32_t Pixel(int x, int y) const noexcept;
  void SetPixel(int x, int y, std::uint32_t argb) noexcept;
};

// Decodes a whole BMP file; throws EInvalidGraphic with a short English reason.
//
// Pixels come out as follows: colours from the colour table or the bit masks, a mask narrower than
// 8 bits scaled to the full range. Alpha is 255, except for 32-bit files: with BI_RGB the fourth byte
// is passed through as it stands (the platform keeps it too), with an alpha mask it is that channel.
// Colour-table indices past the table's end give black; pixels that RLE data skips or never reaches
// are 0 (transparent black). Trailing bytes after the pixel data are ignored, and so is the file
// size field of the file header, which writers often get wrong.
BmpImage DecodeBmp(std::span<const std::uint8_t> file);

// Encodes image as an uncompressed bottom-up BMP file of 24 bits per pixel (alpha dropped) or 32 bits
// per pixel (BI_RGB, the fourth byte holding alpha). Throws EInvalidGraphic for another bit depth, an
// empty or oversized image, or a pixel buffer whose size does not match the dimensions.
std::vector<std::uint8_t> EncodeBmp(const BmpImage& image, int bitsPerPixel);

}  // namespace bus
