// In-place transformations of skin images: grey for disabled glyphs, a left-to-right mirror for
// combo-box images, a vertical flip and the two quarter turns for tabs and progress bars drawn in
// other orientations. They work on the 32-bit pixels of a BmpImage; the widget layer's bitmap
// versions run them over its pixels. W and H are the source's width and height; (x, y) counts from
// the top left.
#pragma once

#include "core/BmpFile.h"

namespace bus {

// Every pixel's blue, green and red become (blue + green + red) / 3; alpha stays.
void GrayScale(BmpImage& image);
// Pixel (x, y) of the result is pixel (W - 1 - x, y) of the source.
void MirrorHorizontal(BmpImage& image);
// Row y of the result is row H - 1 - y of the source.
void FlipVertical(BmpImage& image);
// Quarter turn anticlockwise: H wide, W high; pixel (x, y) is source pixel (W - 1 - y, x).
void RotateLeft(BmpImage& image);
// Quarter turn clockwise: H wide, W high; pixel (x, y) is source pixel (y, H - 1 - x).
void RotateRight(BmpImage& image);

}  // namespace bus
