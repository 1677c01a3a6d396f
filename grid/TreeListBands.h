// The grid's bands, in display order. Changes tell the grid, which lays its header out again.
#pragma once

#include "framework/Collection.h"
#include "grid/TreeListBand.h"

namespace bus {

class TrgTreeListBands : public TOwnedCollection<TrgTreeListBand> {
  BUS_CLASS(TrgTreeListBands)
public:
  TrgTreeListBands() = default;
  // Visible bands in order.
  int VisibleCount() const noexcept;
  TrgTreeListBand* VisibleItems(int index) const noexcept;
};

}  // namespace bus
