// TSkinScControl: the wrapper of stand-alone scroll bar controls. It attaches, registers with its
// form object, switches off and on and detaches as every wrapper does; it draws no skin of its own
// so far.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TCanvas;
class TSkinData;
class TSkinWrapperHost;
class TWinControl;

class TSkinScControl : public TSkinControl {
  BUS_CLASS(TSkinScControl)
public:
  using TSkinControl::TSkinControl;
  // Attaches to control: hooks its handler and registers with form.
  void AttachScrollControl(TWinControl& control, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas);
};

}  // namespace bus
