// TSkinSizer: the wrapper of the size-box scroll bar windows of dialogs. It attaches, registers
// with its form object, switches off and on and detaches as every wrapper does; it draws no skin of
// its own so far.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinSizer : public TSkinControl {
  BUS_CLASS(TSkinSizer)
public:
  using TSkinControl::TSkinControl;
};

}  // namespace bus
