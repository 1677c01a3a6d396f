// TSkinBoxH: the wrapper of dialog-box windows inside other windows. It attaches, registers with
// its form object, switches off and on and detaches as every wrapper does; it draws no skin of its
// own so far.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinBoxH : public TSkinControl {
  BUS_CLASS(TSkinBoxH)
public:
  using TSkinControl::TSkinControl;
};

}  // namespace bus
