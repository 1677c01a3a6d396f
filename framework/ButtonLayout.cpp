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
  switch (layout) {
    case TButtonLayout::blGlyphLeft:
      p.glyph.x = margin;
      p.caption.x = p.glyph.x + glyph.cx + spacing;
      break;
    case TButtonLayout::blGlyphRight:
      p.glyph.x = client.cx - margin - glyph.cx;
      p.caption.x = p.glyph.x - spacing - caption.cx;
      break;
    case TButtonLayout::blGlyphTop:
      p.glyph.y = margin;
      p.caption.y = p.glyph.y + glyph.cy + spacing;
      break;
    case TButtonLayout::blGlyphBottom:
      p.glyph.y = client.cy - margin - glyph.cy;
      p.caption.y = p.glyph.y - spacing - caption.cy;
      break;
  }
  return p;
}

}  // namespace bus
