// TSkinScrollbarH: the wrapper of the built-in scroll bars of a window that has no control object.
// It attaches, registers with its form object, switches off and on and detaches as every wrapper
// does; it draws no skin of its own so far.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinScrollbarH : public TSkinControl {
  BUS_CLASS(TSkinScrollbarH)
public:
  using TSkinControl::TSkinControl;
};

}  // namespace bus
