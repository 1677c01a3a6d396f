#include "skin/data/SkinBitmapFilters.h"

#include "skin/data/BitmapFilters.h"

namespace bus {

namespace {

// Runs a pixel filter over the bitmap's pixels and puts the result back in the same pixel format.
void Apply(TBitmap& bitmap, void (*filter)(BmpImage&)) {
  if (bitmap.Empty()) return;
  BmpImage image = bitmap.ToImage();
  filter(image);
  bitmap.FromImage(image, bitmap.PixelFormat());
}

}  // namespace

void GrayScale(TBitmap& bitmap) {
  bitmap.SetPixelFormat(pf24bit);
  Apply(bitmap, GrayScale);
}

void MirrorHorizontal(TBitmap& bitmap) { Apply(bitmap, MirrorHorizontal); }
void FlipVertical(TBitmap& bitmap) { Apply(bitmap, FlipVertical); }
void RotateLeft(TBitmap& bitmap) { Apply(bitmap, RotateLeft); }
void RotateRight(TBitmap& bitmap) { Apply(bitmap, RotateRight); }

}  // namespace bus
