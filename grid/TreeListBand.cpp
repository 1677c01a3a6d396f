#include "grid/TreeListBand.h"

#include <algorithm>

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TrgTreeListBand::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TrgTreeListBand>("TrgTreeListBand", TCollectionItem::StaticClassInfo())
          .Enum("Alignment", &TrgTreeListBand::Alignment, &TrgTreeListBand::SetAlignment, kAlignmentNames,
                TAlignment::taCenter)
          .Text("Caption", &TrgTreeListBand::Caption, &TrgTreeListBand::SetCaption)
          .Bool("DisableCustomizing", &TrgTreeListBand::DisableCustomizing, &TrgTreeListBand::SetDisableCustomizing,
                false)
          .Bool("DisableDragging", &TrgTreeListBand::DisableDragging, &TrgTreeListBand::SetDisableDragging, false)
          .Enum("Fixed", &TrgTreeListBand::Fixed, &TrgTreeListBand::SetFixed, kBandFixedNames, TrgBandFixed::bfNone)
          .Int("MinWidth", &TrgTreeListBand::MinWidth, &TrgTreeListBand::SetMinWidth, 30)
          .Bool("OnlyOwnColumns", &TrgTreeListBand::OnlyOwnColumns, &TrgTreeListBand::SetOnlyOwnColumns, false)
          .Bool("Sizing", &TrgTreeListBand::Sizing, &TrgTreeListBand::SetSizing, true)
          .Bool("Visible", &TrgTreeListBand::Visible, &TrgTreeListBand::SetVisible, true)
          .Int("Width", &TrgTreeListBand::Width, &TrgTreeListBand::SetWidth, 250)
          .Build();
  return info;
}

void TrgTreeListBand::SetMinWidth(int v) {
  minWidth_ = std::max(v, 0);
  SetWidth(width_);
  Changed();
}

void TrgTreeListBand::SetWidth(int v) { Set(width_, std::max(v, minWidth_)); }

}  // namespace bus
