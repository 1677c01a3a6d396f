#include "framework/ButtonLayout.h"

namespace bus {

TButtonPlacement CalcButtonLayout(TLayoutSize client, TLayoutSize glyph, TLayoutSize caption, TButtonLayout layout,
                                  int margin, int spacing) noexcept {
  const bool across = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
  TButtonPlacement p;
  // the axis the two do not share is centred
  if (across) {
    p.glyph.y = (client.cy - glyph.cy + 1) / 2;
    p.caption.y = (client.cy - caption.cy + 1) / 2;
  } else {
    p.glyph.x = (client.cx - glyph.cx + 1) / 2;
    p.caption.x = (client.cx - caption.cx + 1) / 2;
  }
  const int room = across ? client.cx : client.cy;        // length of the shared axis
  const int glyphLength = across ? glyph.cx : glyph.cy;    // the glyph along it
  const int captionLength = across ? caption.cx : caption.cy;
  if (glyphLength == 0 || captionLength == 0) spacing = 0;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (room - glyphLength - captionLength) / 3;
      spacing = margin;
    } else {
      margin = (room - glyphLength - spacing - captionLength + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (room - margin - glyphLength - captionLength) / 2;
  }
  // along the shared axis: from the glyph's edge inwards, the glyph, the spacing, the caption
  int& glyphAt = across ? p.glyph.x : p.glyph.y;
  int& captionAt = across ? p.caption.x : p.caption.y;
  if (layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphTop) {
    glyphAt = margin;
    captionAt = glyphAt + glyphLength + spacing;
  } else {
    glyphAt = room - margin - glyphLength;
    captionAt = glyphAt - spacing - captionLength;
  }
  return p;
}

}  // namespace bus
