// TSkinListView: the wrapper of list views: their scroll bars and their header. It attaches,
// registers with its form object, switches off and on and detaches as every wrapper does; it draws
// no skin of its own so far.
#pragma once

#include "skin/control/SkinScrollbar.h"

namespace bus {

class TSkinListView : public TSkinScrollbar {
  BUS_CLASS(TSkinListView)
public:
  using TSkinScrollbar::TSkinScrollbar;
};

}  // namespace bus
