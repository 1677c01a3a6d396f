// TSkinButton: the wrapper of push buttons: the buttons of forms and the push buttons of message
// boxes and dialogs. It attaches, registers with its form object, switches off and on and detaches
// as every wrapper does; it draws no skin of its own so far.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinButton : public TSkinControl {
  BUS_CLASS(TSkinButton)
public:
  using TSkinControl::TSkinControl;
};

}  // namespace bus
