// Helpers of the drawing tests: a bitmap to draw on that starts with a known picture, the picture
// expected after drawing, and where two pictures differ.
#pragma once

#include <memory>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "skin/data/NineSlice.h"

namespace bus::test {

// What every surface shows before drawing: a different colour at each pixel, never magenta
// (0xFFRRGGBB).
std::uint32_t Background(int x, int y);
BmpImage BackgroundImage(int w, int h);

// A 32-bit bitmap showing Background, drawn on through its canvas's memory DC.
class Surface {
public:
  Surface(int w, int h);
  TCanvas& Canvas() { return bitmap_.Canvas(); }
  HDC Dc() { return bitmap_.Canvas().Handle(); }
  HBITMAP Handle() const { return bitmap_.Handle(); }
  BmpImage Pixels() const { return bitmap_.ToImage(); }

private:
  TBitmap bitmap_;  // the pixels
};

// Where two pictures first differ in colour (the fourth byte does not count); empty when they agree.
std::string FirstDifference(const BmpImage& actual, const BmpImage& expected);

// The background of w × h with `pixels` laid over it at (x, y); magenta shows the background when
// `transparent`.
BmpImage Composed(int w, int h, int x, int y, const BmpImage& pixels, bool transparent);

// A strip of `frames` frames of w × h in the given format; pixel (x, y) of frame f is
// colour(f, x, y) (0xRRGGBB).
template <class Colour>
std::unique_ptr<TBitmap> Strip(int frames, int w, int h, TPixelFormat format, Colour colour) {
  BmpImage image(frames * w, h);
  for (int f = 0; f < frames; ++f) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) image.SetPixel(f * w + x, y, 0xFF000000u | colour(f + 1, x, y));
    }
  }
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->FromImage(image, format);
  return bitmap;
}

// A colour that tells frame, column and row apart.
inline std::uint32_t Coded(int f, int x, int y) {
  return std::uint32_t(f) << 20 | std::uint32_t(x) << 8 | std::uint32_t(y);
}

}  // namespace bus::test
