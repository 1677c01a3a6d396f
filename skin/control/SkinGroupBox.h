// TSkinGroupBox: the wrapper of group boxes and radio groups. It attaches, registers with its form
// object, switches off and on and detaches as every wrapper does; it draws no skin of its own so
// far.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinGroupBox : public TSkinControl {
  BUS_CLASS(TSkinGroupBox)
public:
  using TSkinControl::TSkinControl;
};

}  // namespace bus
