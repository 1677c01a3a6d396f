// TSkinComBox: the wrapper of combo boxes (and date-time pickers with a drop-down calendar). It
// attaches, registers with its form object, switches off and on and detaches as every wrapper does;
// it draws no skin of its own so far.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinComBox : public TSkinControl {
  BUS_CLASS(TSkinComBox)
public:
  using TSkinControl::TSkinControl;
};

}  // namespace bus
