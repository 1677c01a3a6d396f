// The database grid's link. In the load-all mode it keeps a buffer of one record: the grid reads
// every record itself while loading and never uses the link's record buffers.
#pragma once

#include "grid/DBTreeListControlDataLink.h"

namespace bus {

class TrgGridDataLink : public TrgDBTreeListControlDataLink {
public:
  explicit TrgGridDataLink(TCustomrgDBTreeListControl* grid);
  // Sets the buffer the link keeps for the grid's load mode.
  void SetLoadAll(bool loadAll) noexcept;
};

}  // namespace bus
