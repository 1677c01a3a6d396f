// TSkinBitButton: the wrapper of buttons with a glyph. It attaches, registers with its form object,
// switches off and on and detaches as every wrapper does; it draws no skin of its own so far.
#pragma once

#include "skin/control/SkinButton.h"

namespace bus {

class TSkinBitButton : public TSkinButton {
  BUS_CLASS(TSkinBitButton)
public:
  using TSkinButton::TSkinButton;
};

}  // namespace bus
