// TSkinStatusBar: the wrapper of status bars. The skin draws the whole bar, its size grip
// included, so the bar's own size grip is switched off while the wrapper is attached. It attaches,
// registers with its form object, switches off and on and detaches as every wrapper does; it
// draws no skin of its own so far.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinStatusBar : public TSkinControl {
  BUS_CLASS(TSkinStatusBar)
public:
  using TSkinControl::TSkinControl;
  // Switches the bar's size grip off, then attaches as every wrapper.
  void AttachControl(TSkinWrapperHost* form, TSkinData* skin, bool recolour, TCanvas* canvas) override;
  // Gives the bar its size grip back.
  void Detach() override;

private:
  bool hadSizeGrip_ = false;  // the bar showed its size grip before attaching
};

}  // namespace bus
