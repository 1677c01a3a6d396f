// TSkinTab: the wrapper of tab and page controls, attached to their window. It attaches, registers
// with its form object, switches off and on and detaches as every wrapper does; it draws no skin of
// its own so far.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinTab : public TSkinControl {
  BUS_CLASS(TSkinTab)
public:
  using TSkinControl::TSkinControl;
};

}  // namespace bus
