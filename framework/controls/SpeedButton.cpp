#include "framework/controls/SpeedButton.h"

#include <windowsx.h>

#include "framework/Properties.h"
#include "framework/controls/ButtonContent.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/GdiHandles.h"

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

bool TSpeedButton::Inside(const TMessage& m) const {
  const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  return x >= 0 && y >= 0 && x < Width() && y < Height();
}

void TSpeedButton::WmLButtonDown(TMessage& m) {
  if (Enabled()) {
    dragging_ = true;
    pressed_ = true;
    Repaint();
  }
  TGraphicControl::WndProc(m);
}

// While the button is held, it shows pressed exactly when the pointer is over it.
void TSpeedButton::WmMouseMove(TMessage& m) {
  if (dragging_ && pressed_ != Inside(m)) {
    pressed_ = !pressed_;
    Repaint();
  }
  TGraphicControl::WndProc(m);
}

// A release over the button after a press on it clicks, after the mouse-up event.
void TSpeedButton::WmLButtonUp(TMessage& m) {
  const bool click = dragging_ && Inside(m);
  if (dragging_) {
    dragging_ = false;
    pressed_ = false;
    Repaint();
  }
  TGraphicControl::WndProc(m);
  if (click) Click();
}

void TSpeedButton::CmMouseEnterLeave(bool inside) {
  mouseInControl_ = inside;
  if (flat_ && Enabled()) Invalidate();
}

void TSpeedButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return WmLButtonDown(m);
    case WM_MOUSEMOVE:
      return WmMouseMove(m);
    case WM_LBUTTONUP:
      return WmLButtonUp(m);
    case CM_MOUSEENTER:
      CmMouseEnterLeave(true);
      return TGraphicControl::WndProc(m);
    case CM_MOUSELEAVE:
      CmMouseEnterLeave(false);
      return TGraphicControl::WndProc(m);
    default:
      return TGraphicControl::WndProc(m);
  }
}

// Raised, or sunken while pressed; a flat button shows a thin frame only while hot or pressed.
void TSpeedButton::PaintFrame(HDC dc, const RECT& r) const {
  RECT f = r;
  if (!flat_) DrawFrameControl(dc, &f, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (Pressed() ? DFCS_PUSHED : 0));
  else if (Pressed() || (mouseInControl_ && Enabled())) DrawEdge(dc, &f, Pressed() ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
}

void TSpeedButton::Paint() {
  HDC dc = Canvas().Handle();
  const RECT r = ClientRect();
  {
    GdiObject<HBRUSH> face(CreateSolidBrush(ColorToRGB(Parent() ? Parent()->Color() : clBtnFace)));
    FillRect(dc, &r, face.Get());
  }
  PaintFrame(dc, r);
  DcSelection font(dc, Font()->Handle());
  const TButtonContent content{glyph_.get(), numGlyphs_, ButtonGlyphFrame(numGlyphs_, Enabled(), pressed_, down_),
                               Caption(), layout_, margin_, spacing_};
  DrawButtonContent(dc, r, content, ColorToRGB(Enabled() ? Font()->Color() : clGrayText), Pressed() ? 1 : 0,
                    DT_NOPREFIX);
}

}  // namespace bus
