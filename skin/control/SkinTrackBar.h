// TSkinTrackBar: the wrapper of track bars. It attaches, registers with its form object, switches
// off and on and detaches as every wrapper does; it draws no skin of its own so far.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinTrackBar : public TSkinControl {
  BUS_CLASS(TSkinTrackBar)
public:
  using TSkinControl::TSkinControl;
};

}  // namespace bus
