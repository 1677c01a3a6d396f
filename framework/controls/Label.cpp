#include "framework/controls/Label.h"

#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/ControlText.h"
#include "framework/controls/PropertyIdents.h"
#include "framework/graphics/GdiHandles.h"

namespace bus {

const TClassInfo& TCustomLabel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomLabel>("TCustomLabel", TGraphicControl::StaticClassInfo())
          .Enum("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment, kAlignmentNames,
                TAlignment::taLeftJustify)
          .Bool("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize, true)
          .Bool("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent, false)
          .Bool("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap, false)
          .Build();
  return info;
}
const TClassInfo& TLabel::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TLabel>("TLabel", TCustomLabel::StaticClassInfo()).Creatable().Build();
  return info;
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 17); }

void TCustomLabel::SetAlignment(TAlignment v) {
  alignment_ = v;
  Invalidate();
}
void TCustomLabel::SetAutoSize(bool v) {
  autoSize_ = v;
  AdjustBounds();
}
void TCustomLabel::SetTransparent(bool v) {
  transparent_ = v;
  Invalidate();
}
void TCustomLabel::SetWordWrap(bool v) {
  wordWrap_ = v;
  AdjustBounds();
  Invalidate();
}

UINT TCustomLabel::DrawFlags() const {
  UINT flags = DT_NOPREFIX | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0);
  return flags | (alignment_ == TAlignment::taCenter ? DT_CENTER
                  : alignment_ == TAlignment::taRightJustify ? DT_RIGHT : DT_LEFT);
}

void TCustomLabel::Paint() {
  HDC dc = Canvas().Handle();
  RECT r = ClientRect();
  if (!transparent_) {
    HBRUSH b = CreateSolidBrush(ColorToRGB(Color()));
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  DrawControlText(dc, *this, r, Caption(), DrawFlags());
}

void TCustomLabel::AdjustBounds() {
  if (!autoSize_ || Loading()) return;
  std::wstring w = Widen(Caption());
  if (w.empty()) w = L" ";
  RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
  {
    WindowDC screen;
    DcSelection font(screen.Get(), Font()->Handle());
    DrawTextW(screen.Get(), w.c_str(), int(w.size()), &r, DrawFlags() | DT_CALCRECT);
  }
  int left = Left();
  if (alignment_ == TAlignment::taRightJustify) left += Width() - r.right;
  SetBounds(left, Top(), r.right, r.bottom);
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TCustomLabel::WndProc(TMessage& m) {
  TGraphicControl::WndProc(m);
  if (m.Msg == CM_TEXTCHANGED) AdjustBounds();
}

}  // namespace bus
