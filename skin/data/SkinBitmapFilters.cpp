#include "skin/data/SkinBitmapFilters.h"

#include "skin/data/BitmapFilters.h"

namespace bus {

namespace {

// Runs a pixel filter over the bitmap's pixels and puts the result back in format.
void Apply(TBitmap& bitmap, void (*filter)(BmpImage&), TPixelFormat format) {
  if (bitmap.Empty()) return;
  BmpImage image = bitmap.ToImage();
  filter(image);
  bitmap.FromImage(image, format);
}

}  // namespace

void GrayScale(TBitmap& bitmap) {
  bitmap.SetPixelFormat(pf24bit);
  Apply(bitmap, GrayScale, pf24bit);
}

void MirrorHorizontal(TBitmap& bitmap) { Apply(bitmap, MirrorHorizontal, bitmap.PixelFormat()); }
void FlipVertical(TBitmap& bitmap) { Apply(bitmap, FlipVertical, bitmap.PixelFormat()); }
// The turns write 24-bit pixels whatever the source's format.
void RotateLeft(TBitmap& bitmap) { Apply(bitmap, RotateLeft, pf24bit); }
void RotateRight(TBitmap& bitmap) { Apply(bitmap, RotateRight, pf24bit); }

}  // namespace bus
