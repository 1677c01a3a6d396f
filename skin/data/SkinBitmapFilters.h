// The bitmap filters on the widget layer's bitmaps: each replaces the bitmap's content with the
// transformed pixels (see BitmapFilters.h for what each does) and changes nothing else.
#pragma once

#include "framework/graphics/Bitmap.h"

namespace bus {

// Converts the bitmap to 24 bits per pixel, then greys every pixel.
void GrayScale(TBitmap& bitmap);
void MirrorHorizontal(TBitmap& bitmap);
void FlipVertical(TBitmap& bitmap);
// The bitmap becomes H wide and W high, with 24 bits per pixel whatever it had.
void RotateLeft(TBitmap& bitmap);
void RotateRight(TBitmap& bitmap);

}  // namespace bus
