#include "skin/control/SkinBitButton.h"

#include <algorithm>

#include "core/BmpFile.h"
#include "core/TextUtil.h"
#include "framework/Properties.h"
#include "framework/controls/ImageList.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "skin/control/BufferedPaint.h"
#include "skin/control/SkinDrawing.h"
#include "skin/data/BitmapFilters.h"
#include "skin/data/SkinData.h"

namespace bus {

const TClassInfo& TSkinBitButton::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSkinBitButton>("TSkinBitButton", TSkinButton::StaticClassInfo()).Build();
  return info;
}

namespace {

TButtonLayout LayoutNamed(const std::string& name) {
  const std::string lower = AsciiLower(name);
  if (lower == "blglyphright") return TButtonLayout::blGlyphRight;
  if (lower == "blglyphtop") return TButtonLayout::blGlyphTop;
  if (lower == "blglyphbottom") return TButtonLayout::blGlyphBottom;
  return TButtonLayout::blGlyphLeft;
}

// The button layout with the skin's centring: a centred glyph with a spacing sits at half the free
// room, plus extra.
TButtonPlacement PlaceContent(TLayoutSize client, TLayoutSize glyph, TLayoutSize text, TButtonLayout layout,
                              int margin, int spacing, bool centred, int extra) {
  const bool across = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
  const int room = across ? client.cx : client.cy;
  const int g = across ? glyph.cx : glyph.cy;
  const int t = across ? text.cx : text.cy;
  if (g == 0 || t == 0) spacing = 0;
  if ((margin == -1 || centred) && spacing != -1) margin = (room - (g + spacing + t)) / 2 + extra;
  else if (centred) margin = -1;  // with spacing −1: the free room in three equal parts
  return CalcButtonLayout(client, glyph, text, layout, margin, spacing);
}

}  // namespace

TSkinBitButton::TGlyphContent TSkinBitButton::ReadGlyphContent(const TObject& control) {
  TGlyphContent c;
  c.glyph = GetHeldProperty<TBitmap>(&control, "Glyph");
  c.images = GetObjectProperty<TImageList>(&control, "Images");
  c.numGlyphs = std::max(1, int(GetIntProperty(&control, "NumGlyphs")));
  c.imageIndex = int(GetIntProperty(&control, "ImageIndex"));
  c.disabledIndex = int(GetIntProperty(&control, "DisabledIndex"));
  c.margin = int(GetIntProperty(&control, "Margin"));
  c.spacing = int(GetIntProperty(&control, "Spacing"));
  c.layout = LayoutNamed(GetEnumPropertyName(&control, "Layout"));
  c.centred = AsciiLower(GetEnumPropertyName(&control, "Alignment")) == "tacenter";
  return c;
}

void TSkinBitButton::PaintTo(HDC dc, const RECT& rect) {
  const TDataSkinButton* buttons = ButtonsSkin();
  if (!buttons) return;
  const TObject* control = Control();
  TButtonLook look = Look();
  look.isDefault = control && AsciiLower(GetEnumPropertyName(control, "Default")) == "true";
  const int frame = GlyphButtonFrame(look);
  const std::wstring caption = CurrentCaption();
  const TFont* own = control ? GetHeldProperty<TFont>(control, "Font") : nullptr;
  HFONT font = own ? own->Handle() : reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const COLORREF colour = ControlTextColour(*buttons, frame, ColorToRGB(own ? own->Color() : SkinData()->ButtonText()));
  const TGlyphContent content = control ? ReadGlyphContent(*control) : TGlyphContent{};
  const int frames = buttons->Frame() > 0 ? buttons->Frame() : kButtonFrameCount;
  PaintBuffered(Buffer(), dc, rect, [&](HDC target, const RECT& r) {
    FillFace(target, r);
    DrawSkinObject(target, r, frames, frame, *buttons);
    SelectObject(target, font);
    SetTextColor(target, colour);
    DrawGlyphAndCaption(target, r, content, GlyphStateFrame(frame), look.enabled, caption, {});
  });
}

void TSkinBitButton::DrawGlyphAndCaption(HDC dc, const RECT& r, const TGlyphContent& content, int glyphStateFrame,
                                         bool enabled, const std::wstring& caption, TContentRules rules) {
  const TLayoutSize client{r.right - r.left, r.bottom - r.top};
  const bool hasGlyph = content.glyph && !content.glyph->Empty();
  const bool hasImage = !hasGlyph && content.images && content.imageIndex != -1;
  TLayoutSize glyph{};
  if (hasGlyph) glyph = {content.glyph->Width() / content.numGlyphs, content.glyph->Height()};
  else if (hasImage) glyph = {content.images->Width(), content.images->Height()};
  // the caption ("||" a line break) measured as DrawText lays it out
  const std::wstring text = ShowCaption(caption);
  RECT measured{0, 0, client.cx, client.cy};
  if (!text.empty()) DrawTextWide(dc, text, measured, DT_CALCRECT);
  const TLayoutSize textSize = text.empty() ? TLayoutSize{} : TLayoutSize{measured.right, measured.bottom};
  const TButtonPlacement at = PlaceContent(client, glyph, textSize, content.layout, content.margin, content.spacing,
                                           content.centred, rules.centredExtra);
  const int gx = r.left + at.glyph.x, gy = r.top + at.glyph.y;
  if (hasGlyph) {
    DrawGlyph(dc, RECT{gx, gy, gx + glyph.cx, gy + glyph.cy}, content.numGlyphs, glyphStateFrame, *content.glyph);
  } else if (hasImage || (!enabled && content.images && content.disabledIndex != -1)) {
    const int index = enabled || content.disabledIndex == -1 ? content.imageIndex : content.disabledIndex;
    if (index != -1) {
      TCanvas canvas(dc);
      content.images->Draw(canvas, gx, gy, index, enabled);
    }
  }
  if (text.empty()) return;
  UINT format = rules.wordBreak ? DT_WORDBREAK : 0;
  if (content.layout == TButtonLayout::blGlyphRight) format |= DT_RIGHT;
  else if (content.layout != TButtonLayout::blGlyphLeft) format |= DT_CENTER;
  RECT box{r.left + at.caption.x, r.top + at.caption.y, r.left + at.caption.x + textSize.cx,
           r.top + at.caption.y + textSize.cy};
  SetBkMode(dc, TRANSPARENT);
  DrawTextWide(dc, text, box, format);
}

void TSkinBitButton::DrawGlyph(HDC dc, const RECT& rect, int numGlyphs, int glyphStateFrame, const TBitmap& glyph) {
  if (numGlyphs < 1 || glyph.Empty()) return;
  const int w = glyph.Width() / numGlyphs, h = glyph.Height();
  if (w <= 0) return;
  const int shown = GlyphFrameShown(numGlyphs, glyphStateFrame);
  const BmpImage strip = glyph.ToImage();
  BmpImage frame(w, h);
  for (int y = 0; y < h; ++y)
    std::copy_n(strip.Row(y) + std::size_t(shown - 1) * w * 4, std::size_t(w) * 4, frame.Row(y));
  if (glyphStateFrame == 2) GrayScale(frame);
  const std::uint32_t key = frame.Pixel(0, h - 1);
  TBitmap picture;
  picture.FromImage(frame, pf24bit);
  DrawTransparent(dc, RECT{rect.left, rect.top, rect.left + w, rect.top + h}, picture,
                  RGBColor(std::uint8_t(key >> 16), std::uint8_t(key >> 8), std::uint8_t(key)));
}

}  // namespace bus
