#include "framework/controls/Panel.h"

#include "framework/Properties.h"
#include "framework/controls/ControlText.h"
#include "framework/controls/PropertyIdents.h"

namespace bus {

namespace {
const TIdentList kBevels{"bvNone", "bvLowered", "bvRaised", "bvSpace"};
}  // namespace

const TClassInfo& TCustomPanel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomPanel>("TCustomPanel", TCustomControl::StaticClassInfo())
          .Enum("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter, kBevels, TBevelCut::bvRaised)
          .Enum("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner, kBevels, TBevelCut::bvNone)
          .Int("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth, 1)
          .Enum("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment, kAlignmentNames, TAlignment::taCenter)
          .Build();
  return info;
}
const TClassInfo& TPanel::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TPanel>("TPanel", TCustomPanel::StaticClassInfo()).Creatable().Build();
  return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 41); }

void TCustomPanel::SetBevelOuter(TBevelCut v) {
  bevelOuter_ = v;
  Invalidate();
}
void TCustomPanel::SetBevelInner(TBevelCut v) {
  bevelInner_ = v;
  Invalidate();
}
void TCustomPanel::SetBevelWidth(int v) {
  bevelWidth_ = v;
  Invalidate();
}
void TCustomPanel::SetAlignment(TAlignment v) {
  alignment_ = v;
  Invalidate();
}

void TCustomPanel::Paint() {
  HDC dc = Canvas().Handle();
  RECT r = ClientRect();
  auto bevel = [&](TBevelCut cut) {
    if (cut == TBevelCut::bvNone) return;
    for (int i = 0; i < bevelWidth_; ++i) {
      if (cut != TBevelCut::bvSpace) DrawEdge(dc, &r, cut == TBevelCut::bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
      InflateRect(&r, -1, -1);
    }
  };
  bevel(bevelOuter_);
  bevel(bevelInner_);
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  flags |= alignment_ == TAlignment::taCenter ? DT_CENTER : alignment_ == TAlignment::taRightJustify ? DT_RIGHT : DT_LEFT;
  DrawControlText(dc, *this, r, Caption(), flags);
}

}  // namespace bus
