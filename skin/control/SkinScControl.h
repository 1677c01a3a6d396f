// TSkinScControl: the wrapper of stand-alone scroll bar controls. One overlay (TWScrollbar of kind
// 2) covers the whole control and draws it from the skin; presses on it go to the control, which
// tracks them itself (see TSkinScrollbarBase for how the overlay follows the control).
#pragma once

#include "skin/control/SkinScrollbarBase.h"

namespace bus {

class TCanvas;
class TSkinData;
class TSkinWrapperHost;
class TWinControl;
class TWScrollbar;

class TSkinScControl : public TSkinScrollbarBase {
  BUS_CLASS(TSkinScControl)
public:
  using TSkinScrollbarBase::TSkinScrollbarBase;

  // Attaches to control: registers with form, lays the overlay over it and hooks its handler.
  void AttachScrollControl(TWinControl& control, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas);
  // The overlay, or null.
  TWScrollbar* Bar() const noexcept;
};

}  // namespace bus
