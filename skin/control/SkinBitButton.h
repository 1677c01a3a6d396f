// TSkinBitButton: the wrapper of buttons with a glyph (TBitBtn and its kinds). It draws the
// Buttons frame of the button's state, then the glyph (a frame of the Glyph strip, or an image
// list's image) and the caption placed by the button's Layout, Margin and Spacing; the mouse, the
// keyboard and the hot button are the push button's. Unlike a push button, a focused default
// button shows the focused (hot) frame.
//
// The glyph strip holds NumGlyphs frames: up, disabled, clicked, down. Only a strip of four has a
// frame for every state; any other strip shows its first frame, greyed when the button is
// disabled.
#pragma once

#include <string>

#include "framework/ButtonLayout.h"
#include "skin/control/SkinButton.h"

namespace bus {

class TBitmap;
class TImageList;

class TSkinBitButton : public TSkinButton {
  BUS_CLASS(TSkinBitButton)
public:
  using TSkinButton::TSkinButton;

  void PaintTo(HDC dc, const RECT& rect) override;

  // Draws frame glyphStateFrame (1 up, 2 disabled, 3 clicked, 4 down) of a strip of numGlyphs
  // glyphs at rect's top-left, the colour of its bottom-left pixel transparent; greyed for the
  // disabled frame. Only a strip of exactly 4 glyphs is indexed; any other shows its first frame.
  static void DrawGlyph(HDC dc, const RECT& rect, int numGlyphs, int glyphStateFrame, const TBitmap& glyph);

protected:
  // What a glyph or speed button shows beside its frame, read from its properties by name.
  struct TGlyphContent {
    const TBitmap* glyph = nullptr;  // the Glyph strip; null or empty: none
    TImageList* images = nullptr;    // Images, used when there is no Glyph
    int numGlyphs = 1;               // NumGlyphs, at least 1
    int imageIndex = -1;             // ImageIndex
    int disabledIndex = -1;          // DisabledIndex
    int margin = -1;                 // Margin
    int spacing = 4;                 // Spacing
    TButtonLayout layout = TButtonLayout::blGlyphLeft;  // Layout
    bool centred = false;            // Alignment is taCenter: glyph and caption centred together
  };
  // How the content is placed and its caption drawn.
  struct TContentRules {
    bool wordBreak = true;  // the caption wraps within its measured box
    int centredExtra = 0;   // added to the margin of a centred glyph with a spacing
  };
  static TGlyphContent ReadGlyphContent(const TObject& control);
  // Draws content's glyph (or image) and caption in r of dc, whose font and text colour are set.
  void DrawGlyphAndCaption(HDC dc, const RECT& r, const TGlyphContent& content, int glyphStateFrame, bool enabled,
                           const std::wstring& caption, TContentRules rules);
};

}  // namespace bus
