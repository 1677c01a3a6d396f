// Helpers of the desktop tests under Wine: pumping the message loop until something holds, and
// reading back the pixels of what was painted.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "framework/controls/Application.h"

namespace bus::test {

// The one application object of a test program, initialised on first use.
inline TApplication& TestApplication() {
  static TApplication app;
  static const bool initialised = [] {
    app.Initialize();
    return true;
  }();
  (void)initialised;
  return app;
}

// Handles messages until done() holds or ms milliseconds have passed; false on the deadline.
inline bool PumpUntil(const std::function<bool()>& done, DWORD ms = 5000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > ms) return false;
    Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

// Handles messages for ms milliseconds (for checks that something does NOT happen).
inline void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

// Moves the cursor and waits until the platform reports it there twice in a row.
inline void MoveCursor(POINT p) {
  int stable = 0;
  PumpUntil([&] {
    SetCursorPos(p.x, p.y);
    POINT now{};
    GetCursorPos(&now);
    stable = now.x == p.x && now.y == p.y ? stable + 1 : 0;
    return stable >= 2;
  });
}

// The colour on the screen at a point of a window's client area.
inline COLORREF ClientPixel(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

// The colour of the centre pixel of a 16 × 16 icon, or CLR_INVALID without one.
inline COLORREF IconCentre(HICON icon) {
  if (!icon) return CLR_INVALID;
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return CLR_INVALID;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<std::uint32_t> pixels(16 * 16);
  HDC dc = GetDC(nullptr);
  const int rows = info.hbmColor ? GetDIBits(dc, info.hbmColor, 0, 16, pixels.data(), &bi, DIB_RGB_COLORS) : 0;
  ReleaseDC(nullptr, dc);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (rows == 0) return CLR_INVALID;
  const std::uint32_t p = pixels[8 * 16 + 8];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

}  // namespace bus::test
