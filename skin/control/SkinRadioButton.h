// TSkinRadioButton: the wrapper of radio buttons: the framework's, the buttons of radio groups and
// those of dialogs. It attaches, registers with its form object, switches off and on and detaches
// as every wrapper does; it draws no skin of its own so far.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinRadioButton : public TSkinControl {
  BUS_CLASS(TSkinRadioButton)
public:
  using TSkinControl::TSkinControl;
};

}  // namespace bus
