// TSkinScrollbar: the wrapper of the two built-in scroll bars of a control (memos, grids, list
// boxes, scroll boxes ...). It attaches, registers with its form object, switches off and on and
// detaches as every wrapper does; it draws no skin of its own so far.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TCanvas;
class TSkinData;
class TSkinWrapperHost;
class TWinControl;

class TSkinScrollbar : public TSkinControl {
  BUS_CLASS(TSkinScrollbar)
public:
  using TSkinControl::TSkinControl;
  // Attaches to control: hooks its handler and registers with form; the control's colour stays.
  virtual void AttachScrolling(TWinControl& control, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas);
};

}  // namespace bus
