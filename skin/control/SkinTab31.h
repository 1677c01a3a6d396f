// TSkinTab31: the wrapper of tab sets. It attaches, registers with its form object, switches off
// and on and detaches as every wrapper does; it draws no skin of its own so far.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinTab31 : public TSkinControl {
  BUS_CLASS(TSkinTab31)
public:
  using TSkinControl::TSkinControl;
};

}  // namespace bus
