// TSkinHeader: the wrapper of header controls (a list view's header among them). It attaches,
// registers with its form object, switches off and on and detaches as every wrapper does; it draws
// no skin of its own so far.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinHeader : public TSkinControl {
  BUS_CLASS(TSkinHeader)
public:
  using TSkinControl::TSkinControl;
};

}  // namespace bus
