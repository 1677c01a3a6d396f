// TSkinEdit: the wrapper of edit boxes (and date-time pickers without a drop-down calendar),
// attached to their window. It attaches, registers with its form object, switches off and on and
// detaches as every wrapper does; it draws no skin of its own so far.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinEdit : public TSkinControl {
  BUS_CLASS(TSkinEdit)
public:
  using TSkinControl::TSkinControl;
};

}  // namespace bus
