// Painting composed off screen: a skinned element is drawn into a memory bitmap and reaches the
// screen in one block transfer, so the screen never shows a half-drawn state (a face filled but not
// yet framed, a box cleared but not yet drawn).
#pragma once

#include <windows.h>

#include <functional>

namespace bus {

class TBitmap;

// Runs draw(dc, rect) on buffer, sized to rect and with rect's top-left at its origin, and copies
// the result to rect of target with one SRCCOPY transfer. Where the buffer cannot be had (the
// platform refuses a bitmap of that size) or the transfer fails, draw runs on target itself, at
// rect: the element still shows, drawn in place. The DC draw gets is put back as it was (font,
// colours, modes) afterwards. Nothing happens for an empty or inverted rect.
void PaintBuffered(TBitmap& buffer, HDC target, const RECT& rect, const std::function<void(HDC dc, const RECT& rect)>& draw);

}  // namespace bus
