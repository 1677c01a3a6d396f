#include "tests/support/WindowPicture.h"

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

}  // namespace bus::test
