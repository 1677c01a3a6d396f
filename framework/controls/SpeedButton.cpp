#include "framework/controls/SpeedButton.h"

#include <windowsx.h>

#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/WinControl.h"

namespace bus {

namespace {
const TIdentList kLayouts{"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};
}

const TClassInfo& TSpeedButton::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSpeedButton>("TSpeedButton", TGraphicControl::StaticClassInfo())
          .Creatable()
          .Bool("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat, false)
          .Bool("Down", &TSpeedButton::Down, &TSpeedButton::SetDown, false)
          .Int("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex, 0)
          .Bool("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp, false)
          .Held<TBitmap>("Glyph", &TSpeedButton::Glyph)
          .Binary("Glyph.Data", &TSpeedButton::ReadGlyph)
          .Int("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs, 1)
          .Int("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin, -1)
          .Int("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing, 4)
          .Enum("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout, kLayouts, TButtonLayout::blGlyphLeft)
          .Build();
  return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>()) {
  SetBounds(0, 0, 23, 22);
  clickOnMouseUp_ = false;  // its own press logic clicks
  glyph_->SetOnChange([this] { Invalidate(); });
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::ReadGlyph(TStream& stream) { glyph_->LoadFromStream(stream); }

void TSpeedButton::SetFlat(bool v) {
  flat_ = v;
  Invalidate();
}
void TSpeedButton::SetNumGlyphs(int v) {
  numGlyphs_ = v < 1 ? 1 : v;
  Invalidate();
}
void TSpeedButton::SetMargin(int v) {
  margin_ = v;
  Invalidate();
}
void TSpeedButton::SetSpacing(int v) {
  spacing_ = v;
  Invalidate();
}
void TSpeedButton::SetLayout(TButtonLayout v) {
  layout_ = v;
  Invalidate();
}

void TSpeedButton::SetDown(bool v) {
  if (groupIndex_ == 0) v = false;
  if (v == down_) return;
  down_ = v;
  // the other buttons of the group come up
  if (v && Parent())
    for (int i = 0; i < Parent()->ControlCount(); ++i)
      if (auto* b = dynamic_cast<TSpeedButton*>(Parent()->Controls(i)); b && b != this && b->groupIndex_ == groupIndex_)
        b->SetDown(false);
  Invalidate();
}

void TSpeedButton::Click() {
  if (groupIndex_ != 0) SetDown(allowAllUp_ ? !down_ : true);
  TGraphicControl::Click();
}

void TSpeedButton::WndProc(TMessage& m) {
  const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (Enabled()) {
        dragging_ = true;
        pressed_ = true;
        Repaint();
      }
      break;
    case WM_MOUSEMOVE:
      if (dragging_ && pressed_ != inside) {
        pressed_ = inside;
        Repaint();
      }
      break;
    case WM_LBUTTONUP:
      if (dragging_) {
        dragging_ = false;
        pressed_ = false;
        Repaint();
        if (inside) {
          TGraphicControl::WndProc(m);
          Click();
          return;
        }
      }
      break;
    case CM_MOUSEENTER:
      mouseInControl_ = true;
      if (flat_ && Enabled()) Invalidate();
      break;
    case CM_MOUSELEAVE:
      mouseInControl_ = false;
      if (flat_ && Enabled()) Invalidate();
      break;
    case CM_ENABLEDCHANGED:
      Invalidate();
      break;
    default:
      break;
  }
  TGraphicControl::WndProc(m);
}

void TSpeedButton::Paint() {
  HDC dc = Canvas().Handle();
  RECT r = ClientRect();
  HBRUSH face = CreateSolidBrush(ColorToRGB(Parent() ? Parent()->Color() : clBtnFace));
  FillRect(dc, &r, face);
  DeleteObject(face);
  const bool pressed = Pressed();
  if (!flat_) {
    RECT f = r;
    DrawFrameControl(dc, &f, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));
  } else if (pressed || (mouseInControl_ && Enabled())) {
    RECT f = r;
    DrawEdge(dc, &f, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }
  const int shift = pressed ? 1 : 0;
  RECT content = r;
  OffsetRect(&content, shift, shift);
  if (!glyph_->Empty()) {
    const int gw = glyph_->Width() / numGlyphs_, gh = glyph_->Height();
    const int frame = !Enabled() && numGlyphs_ > 1 ? 1 : (pressed && numGlyphs_ > 2 ? 2 : 0);
    int gx = margin_ >= 0 ? margin_ : 4;
    if (Caption().empty()) gx = (Width() - gw) / 2;
    const int gy = (Height() - gh) / 2;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, glyph_->Handle());
    TransparentBlt(dc, gx + shift, gy + shift, gw, gh, mem, frame * gw, 0, gw, gh,
                   ::GetPixel(mem, 0, gh - 1));
    SelectObject(mem, old);
    DeleteDC(mem);
    content.left += gx + gw + spacing_;
  }
  HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
  const std::wstring text = Widen(Caption());
  DrawTextW(dc, text.c_str(), int(text.size()), &content,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (glyph_->Empty() ? DT_CENTER : DT_LEFT));
  SelectObject(dc, oldFont);
}

}  // namespace bus
