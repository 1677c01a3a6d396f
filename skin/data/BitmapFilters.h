// In-place transformations of skin images: grey for disabled glyphs, a left-to-right mirror for
// combo-box images, a vertical flip and the two quarter turns for tabs and progress bars drawn in
// other orientations. W and H are the source's width and height; (x, y) counts from the top left.
#pragma once

#include "skin/data/PixelImage.h"

namespace bus {

// Every pixel's red, green and blue become (red + green + blue) / 3.
void GrayScale(PixelImage& image);
// Pixel (x, y) of the result is pixel (W - 1 - x, y) of the source.
void MirrorHorizontal(PixelImage& image);
// Row y of the result is row H - 1 - y of the source.
void FlipVertical(PixelImage& image);
// Quarter turn anticlockwise: H wide, W high; pixel (x, y) is source pixel (W - 1 - y, x).
void RotateLeft(PixelImage& image);
// Quarter turn clockwise: H wide, W high; pixel (x, y) is source pixel (y, H - 1 - x).
void RotateRight(PixelImage& image);

}  // namespace bus
