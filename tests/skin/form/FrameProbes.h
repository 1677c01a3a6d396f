// Probes of a skinned window frame, for the frame tests and the main window's: pixels of a window's
// picture, of a skin picture and of the screen, and the caption buttons pressed with posted mouse
// messages as the platform would send them.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>

#include "core/BmpFile.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/PixelTransfer.h"
#include "skin/data/SkinObjects.h"
#include "skin/form/SkinCaptionButton.h"
#include "skin/form/SkinForm.h"
#include "tests/support/WindowPicture.h"
#include "tests/support/WindowTestSupport.h"

namespace bus::test {

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

// The window's picture on the screen once shows(picture) holds, or the last one taken when it does
// not within ms. Under load the screen may show a window's paint a moment after the paint itself.
inline BmpImage WindowImageWhen(HWND window, const std::function<bool(const BmpImage&)>& shows, DWORD ms) {
  BmpImage picture = WindowImage(window);
  PumpUntil([&] { return shows(picture = WindowImage(window)); }, ms);
  return picture;
}

// The first visible caption button of the window whose action is `action`, or null.
inline const TSkinCaptionButton* CaptionButton(const TSkinForm& object, int action) {
  for (const auto& button : object.CaptionButtons()) {
    if (button->Visible() && button->SkinButton().Action() == action) return button.get();
  }
  return nullptr;
}

// The screen point at the middle of a caption button.
inline POINT ScreenPointOf(const TSkinForm& object, const TSkinCaptionButton& button) {
  RECT window{};
  GetWindowRect(object.Handle(), &window);
  const RECT& r = button.Rect();
  return {window.left + (r.left + r.right) / 2, window.top + (r.top + r.bottom) / 2};
}

// Posts what the platform sends for a mouse over, a press or a release at a screen point of the frame.
inline void PostNcMouse(HWND window, UINT message, POINT screen) {
  const LRESULT hit = SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
  PostMessageW(window, message, WPARAM(hit), MAKELPARAM(screen.x, screen.y));
}

// A click on the caption button with that action: over it, pressed, released.
inline bool ClickCaptionButton(const TSkinForm& object, int action) {
  const TSkinCaptionButton* button = CaptionButton(object, action);
  if (!button) return false;
  const POINT at = ScreenPointOf(object, *button);
  PostNcMouse(object.Handle(), WM_NCMOUSEMOVE, at);
  PostNcMouse(object.Handle(), WM_NCLBUTTONDOWN, at);
  PostNcMouse(object.Handle(), WM_NCLBUTTONUP, at);
  return true;
}

}  // namespace bus::test
