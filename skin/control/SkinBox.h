// TSkinBox: the wrapper of panels and other plain containers (tool bars, navigators, forms placed
// inside others). A container is skinned by its colour alone: with Recolour it takes the skin's
// ButtonFace while attached and gets its own colour back on Detach. The wrapper stays in the
// control's message chain only to hear that its window goes (a panel made anew gets a wrapper of
// its own); the container paints, and answers messages, as it would without the skin.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinBox : public TSkinControl {
  BUS_CLASS(TSkinBox)
public:
  using TSkinControl::TSkinControl;
  // Gives the colour back; the wrapper is then released (Status 2, unless its window went).
  void Detach() override;
  // A container draws nothing of the skin over its own painting; only 0x3506 is followed.
  void AfterDefault(TMessage& m) override;
};

}  // namespace bus
