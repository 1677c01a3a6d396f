// TSkinUpDown: the wrapper of spin buttons. It attaches, registers with its form object, switches
// off and on and detaches as every wrapper does; it draws no skin of its own so far.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinUpDown : public TSkinControl {
  BUS_CLASS(TSkinUpDown)
public:
  using TSkinControl::TSkinControl;
};

}  // namespace bus
