#include "skin/control/BufferedPaint.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandles.h"

namespace bus {

namespace {

bool Composed(TBitmap& buffer, HDC target, const RECT& rect,
              const std::function<void(HDC dc, const RECT& rect)>& draw) {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  buffer.SetSize(w, h);
  if (buffer.Width() != w || buffer.Height() != h || !buffer.Handle()) return false;
  HDC dc = nullptr;
  try {
    dc = buffer.Canvas().Handle();
  } catch (const std::exception&) {
    return false;  // no memory DC: drawn in place
  }
  {
    const SavedDCState state(dc);
    draw(dc, RECT{0, 0, w, h});
  }
  return BitBlt(target, rect.left, rect.top, w, h, dc, 0, 0, SRCCOPY) != FALSE;
}

}  // namespace

void PaintBuffered(TBitmap& buffer, HDC target, const RECT& rect, const std::function<void(HDC dc, const RECT& rect)>& draw) {
  if (!target || rect.right <= rect.left || rect.bottom <= rect.top) return;
  if (Composed(buffer, target, rect, draw)) return;
  const SavedDCState state(target);
  draw(target, rect);
}

}  // namespace bus
