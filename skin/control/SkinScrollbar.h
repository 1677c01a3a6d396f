// TSkinScrollbar: the wrapper of the two built-in scroll bars of a control (memos, the grid, list
// boxes, scroll boxes, rich edits ...). It changes nothing of the control: an overlay lies over
// each of its real scroll bars, draws it from the skin and hands presses back to the control (see
// TSkinScrollbarBase for how the overlays follow the control).
#pragma once

#include "skin/control/SkinScrollbarBase.h"

namespace bus {

class TCanvas;
class TSkinData;
class TSkinWrapperHost;
class TWinControl;
class TWScrollbar;

class TSkinScrollbar : public TSkinScrollbarBase {
  BUS_CLASS(TSkinScrollbar)
public:
  using TSkinScrollbarBase::TSkinScrollbarBase;

  // Attaches to control: registers with form, lays the overlays over its bars (hidden while the
  // control is) and hooks the control's handler; the control's colour stays.
  virtual void AttachScrolling(TWinControl& control, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas);
  TWScrollbar* HorzBar() const noexcept;
  TWScrollbar* VertBar() const noexcept;
};

}  // namespace bus
