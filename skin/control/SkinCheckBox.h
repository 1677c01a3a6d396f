// TSkinCheckBox: the wrapper of check boxes: the framework's and those of message boxes and
// dialogs. It attaches, registers with its form object, switches off and on and detaches as every
// wrapper does; it draws no skin of its own so far.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinCheckBox : public TSkinControl {
  BUS_CLASS(TSkinCheckBox)
public:
  using TSkinControl::TSkinControl;
};

}  // namespace bus
