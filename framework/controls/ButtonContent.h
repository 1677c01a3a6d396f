// What a button with a glyph shows on its face: one frame of its glyph strip and its caption,
// placed by the button layout (ButtonLayout.h). Speed buttons and bit buttons draw with it.
//
// A glyph strip holds numGlyphs equal frames side by side: up, disabled, pressed, down (stays
// down); the colour of its bottom-left pixel is transparent.
#pragma once

#include <windows.h>

#include <string>

#include "framework/ButtonLayout.h"

namespace bus {

class TBitmap;

struct TButtonContent {
  const TBitmap* glyph = nullptr;  // the strip; null or empty: no glyph
  int numGlyphs = 1;               // frames in the strip, at least 1
  int glyphFrame = 0;              // the frame shown, 0-based
  std::string caption;             // UTF-8
  TButtonLayout layout = TButtonLayout::blGlyphLeft;  // glyph side
  int margin = -1;                 // see CalcButtonLayout
  int spacing = 4;                 // see CalcButtonLayout
};

// The frame of a strip of numGlyphs frames for a button's state: disabled 1, down 3, pressed 2,
// otherwise (or when the strip has no such frame) 0.
int ButtonGlyphFrame(int numGlyphs, bool enabled, bool pressed, bool down) noexcept;

// Draws content in client with the font selected in dc, the text in textColor; everything moves
// shift pixels right and down (the pressed look). textFlags adds DT_ flags to the caption's
// (DT_NOPREFIX shows '&' as it is; without it '&' underlines the next character).
void DrawButtonContent(HDC dc, const RECT& client, const TButtonContent& content, COLORREF textColor, int shift,
                       UINT textFlags);

}  // namespace bus
