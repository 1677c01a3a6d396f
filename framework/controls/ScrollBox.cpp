#include "framework/controls/ScrollBox.h"

#include "framework/Properties.h"

namespace bus {

namespace {
const TIdentList kBorderStyles{"bsNone", "bsSingle"};
}

const TClassInfo& TScrollBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TScrollBox>("TScrollBox", TScrollingWinControl::StaticClassInfo())
          .Creatable()
          .Enum("BorderStyle", &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle, kBorderStyles,
                TBorderStyle::bsSingle)
          .Build();
  return info;
}

TScrollBox::TScrollBox(TComponent* owner) : TScrollingWinControl(owner) { SetBounds(0, 0, 185, 41); }

void TScrollBox::CreateParams(TCreateParams& p) {
  TScrollingWinControl::CreateParams(p);
  if (borderStyle_ == TBorderStyle::bsNone) return;
  if (Ctl3D()) p.exStyle |= WS_EX_CLIENTEDGE;
  else p.style |= WS_BORDER;
}

void TScrollBox::SetBorderStyle(TBorderStyle v) {
  if (v == borderStyle_) return;
  borderStyle_ = v;
  RecreateWnd();
}

}  // namespace bus
