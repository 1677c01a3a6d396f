// TSkinSpeedButton: the wrapper of window-less speed buttons, which get their paint and mouse
// messages through their handler from the parent. It attaches, registers with its form object,
// switches off and on and detaches as every wrapper does; it draws no skin of its own so far.
#pragma once

#include "skin/control/SkinBitButton.h"

namespace bus {

class TCanvas;
class TSkinData;
class TSkinWrapperHost;

class TSkinSpeedButton : public TSkinBitButton {
  BUS_CLASS(TSkinSpeedButton)
public:
  using TSkinBitButton::TSkinBitButton;
  // Attaches to the owner, a window-less control.
  void AttachGraphic(TSkinWrapperHost* form, TSkinData* skin, TCanvas* canvas) {
    TSkinControl::AttachGraphic(form, skin, canvas);
  }
};

}  // namespace bus
