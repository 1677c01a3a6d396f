// TSkinBox: the wrapper of panels and other plain containers, which take the skin's face colour. It
// attaches, registers with its form object, switches off and on and detaches as every wrapper does;
// it draws no skin of its own so far.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinBox : public TSkinControl {
  BUS_CLASS(TSkinBox)
public:
  using TSkinControl::TSkinControl;
};

}  // namespace bus
