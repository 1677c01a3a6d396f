#include "grid/TreeListBands.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TrgTreeListBands::StaticClassInfo() {
  static const TClassInfo info{"TrgTreeListBands", &TCollection::StaticClassInfo(), {}, {}};
  return info;
}

int TrgTreeListBands::VisibleCount() const noexcept {
  int n = 0;
  for (int i = 0; i < Count(); ++i) n += Items(i)->Visible() ? 1 : 0;
  return n;
}

TrgTreeListBand* TrgTreeListBands::VisibleItems(int index) const noexcept {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Visible() && index-- == 0) return Items(i);
  return nullptr;
}

}  // namespace bus
