#include "tests/support/WindowPicture.h"

#include <cstdio>

#include "core/Stream.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandles.h"

namespace bus::test {

namespace {

// Copies the window's screen area into picture.
void Capture(HWND window, TBitmap& picture) {
  RECT r{};
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  WindowDC screen;
  MemoryDC mem(screen.Get());
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.Get(), w, h));
  {
    DcSelection selected(mem.Get(), bitmap.Get());
    BitBlt(mem.Get(), 0, 0, w, h, screen.Get(), r.left, r.top, SRCCOPY);
  }
  picture.LoadFromBitmapHandle(bitmap.Get());
}

}  // namespace

BmpImage WindowImage(HWND window) {
  TBitmap picture;
  Capture(window, picture);
  return picture.ToImage();
}

void SaveWindowPicture(HWND window, const std::string& path) {
  TBitmap picture;
  Capture(window, picture);
  picture.SetPixelFormat(pf24bit);
  TFileStream file(path, TFileStream::Mode::Create);
  picture.SaveToStream(file);
}

std::string Difference(const BmpImage& image, const RECT& area, const BmpImage& expected, POINT from) {
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const int ex = from.x + x - area.left, ey = from.y + y - area.top;
      if (x < 0 || y < 0 || x >= image.width || y >= image.height || ex < 0 || ey < 0 || ex >= expected.width ||
          ey >= expected.height)
        return "outside the pictures at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
      const std::uint32_t a = image.Pixel(x, y) & 0xFFFFFF, e = expected.Pixel(ex, ey) & 0xFFFFFF;
      if (a == e) continue;
      char text[96];
      std::snprintf(text, sizeof text, "at (%d, %d): %06X where %06X was expected", x, y, unsigned(a), unsigned(e));
      return text;
    }
  }
  return {};
}

}  // namespace bus::test
