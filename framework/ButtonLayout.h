// Where a button puts its glyph and its caption: side by side (glyph left or right) or one above
// the other (glyph top or bottom), Margin pixels from the glyph's edge of the button and Spacing
// pixels between glyph and caption.
//   Margin -1: glyph and caption together are centred (Spacing -1 as well: the free room is split
//   in three equal parts, before, between and after).
//   Spacing -1 with a margin: the caption is centred in the room the glyph leaves.
// A missing glyph or caption (zero size) takes no spacing. The other axis is centred.
#pragma once

namespace bus {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct TLayoutSize {
  int cx = 0;  // width
  int cy = 0;  // height
};

struct TLayoutPoint {
  int x = 0;
  int y = 0;
};

struct TButtonPlacement {
  TLayoutPoint glyph;    // top-left corner of the glyph
  TLayoutPoint caption;  // top-left corner of the caption's text box
};

TButtonPlacement CalcButtonLayout(TLayoutSize client, TLayoutSize glyph, TLayoutSize caption, TButtonLayout layout,
                                  int margin, int spacing) noexcept;

}  // namespace bus
