// Icon files (.ico): checking their directory and images before the platform reads them, and
// writing icons with one 32-bit image.
//
// Portable: no platform header. The Windows icon class passes a checked image to the platform's
// icon loader, which then never reads past the bytes given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/BmpFile.h"

namespace bus {

// One image of an icon file, after checking.
struct IconFileImage {
  int width = 0;          // pixels (from the image itself for DIB images)
  int height = 0;         // pixels, the colour part only
  int bitsPerPixel = 0;   // colour depth (from the directory for PNG images)
  bool png = false;       // a PNG image rather than a DIB with an AND mask
  std::size_t offset = 0; // of the image's bytes in the file
  std::size_t size = 0;   // of the image's bytes
};

// The images of an icon file. Throws EInvalidGraphic unless the file is an icon (not a cursor)
// with at least one image, every image lies within the file, and every DIB image is uncompressed,
// of a known depth and sane size, with its colour table, colour rows and mask rows all present.
std::vector<IconFileImage> ReadIconFile(std::span<const std::uint8_t> file);

// Index of the image whose width is closest to preferredWidth; of those, the deepest colour, then
// the first. images must not be empty.
std::size_t ChooseIconImage(const std::vector<IconFileImage>& images, int preferredWidth);

// An icon file with one 32-bit image of image's pixels (alpha included) and an AND mask that
// marks the pixels whose alpha is 0. Throws EInvalidGraphic for an empty image or one larger than
// 256 pixels either way.
std::vector<std::uint8_t> EncodeIconFile(const BmpImage& image);

}  // namespace bus
