// What the frame tests share: the form fixture with our default skin file, the form's rectangles,
// and pixel probes on a window's picture, a skin picture and the screen.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "core/BmpFile.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/PixelTransfer.h"
#include "skin/data/SkinObjects.h"
#include "tests/skin/form/SkinFormFixture.h"
#include "tests/support/TestSupport.h"

namespace bus::test {

class SkinFrameFixture : public SkinFormFixture {
protected:
  void GiveSkin(TSkinData& skin) override { LoadSkinFile(skin, BinaryDir() / "bussearch.skn"); }

  RECT ClientRect() const {
    RECT r{};
    GetClientRect(form_->Handle(), &r);
    return r;
  }
  RECT WindowRect() const {
    RECT r{};
    GetWindowRect(form_->Handle(), &r);
    return r;
  }
};

// A pixel of a picture as 0xRRGGBB.
inline std::uint32_t Rgb(const BmpImage& picture, int x, int y) { return picture.Pixel(x, y) & 0xFFFFFF; }

// A pixel of a skin picture as 0xRRGGBB.
inline std::uint32_t ImagePixel(const TBitmap& image, int x, int y) {
  const PixelView view = ViewOf(image);
  const std::uint8_t* p = view.Row(y) + std::ptrdiff_t(view.bytesPerPixel) * x;
  return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
}

// A row of a side border's picture that lies in its stretched middle.
inline int MiddleRow(const TDataSkinBorder& side) { return side.Image().Height() - side.BottomHeight() - 1; }

// How many pixels of the picture within r (cut to it) have the colour 0xRRGGBB.
inline int CountColour(const BmpImage& picture, const RECT& r, std::uint32_t rgb) {
  int n = 0;
  for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, picture.height); ++y) {
    for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, picture.width); ++x) n += Rgb(picture, x, y) == rgb;
  }
  return n;
}

// A COLORREF as 0xRRGGBB.
inline std::uint32_t ColorRef(COLORREF c) {
  return std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

// A screen pixel as 0xRRGGBB.
inline std::uint32_t ScreenPixel(int x, int y) {
  const WindowDC screen;
  return ColorRef(GetPixel(screen.Get(), x, y));
}

}  // namespace bus::test
