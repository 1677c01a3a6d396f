#include "framework/controls/ButtonContent.h"

#include "core/WideText.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandles.h"

namespace bus {

int ButtonGlyphFrame(int numGlyphs, bool enabled, bool pressed, bool down) noexcept {
  if (!enabled) return numGlyphs > 1 ? 1 : 0;
  if (down && numGlyphs > 3) return 3;
  if ((pressed || down) && numGlyphs > 2) return 2;
  return 0;
}

void DrawButtonContent(HDC dc, const RECT& client, const TButtonContent& content, COLORREF textColor, int shift,
                       UINT textFlags) {
  const std::wstring text = Widen(content.caption);
  const UINT format = DT_SINGLELINE | DT_NOCLIP | textFlags;
  RECT measured{0, 0, 0, 0};
  if (!text.empty()) DrawTextW(dc, text.c_str(), int(text.size()), &measured, format | DT_CALCRECT);
  const bool hasGlyph = content.glyph && !content.glyph->Empty();
  const int numGlyphs = content.numGlyphs < 1 ? 1 : content.numGlyphs;
  const TLayoutSize glyphSize{hasGlyph ? content.glyph->Width() / numGlyphs : 0, hasGlyph ? content.glyph->Height() : 0};
  const TButtonPlacement place =
      CalcButtonLayout({client.right - client.left, client.bottom - client.top}, glyphSize,
                       {measured.right, measured.bottom}, content.layout, content.margin, content.spacing);
  const int x0 = client.left + shift, y0 = client.top + shift;
  if (glyphSize.cx > 0) {
    MemoryDC mem(dc);
    DcSelection bitmap(mem.Get(), content.glyph->Handle());
    const int frame = content.glyphFrame < numGlyphs ? content.glyphFrame : 0;
    TransparentBlt(dc, x0 + place.glyph.x, y0 + place.glyph.y, glyphSize.cx, glyphSize.cy, mem.Get(),
                   frame * glyphSize.cx, 0, glyphSize.cx, glyphSize.cy, ::GetPixel(mem.Get(), 0, glyphSize.cy - 1));
  }
  if (text.empty()) return;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, textColor);
  RECT box{x0 + place.caption.x, y0 + place.caption.y, x0 + place.caption.x + measured.right,
           y0 + place.caption.y + measured.bottom};
  DrawTextW(dc, text.c_str(), int(text.size()), &box, format);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

}  // namespace bus
