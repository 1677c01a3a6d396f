// TSkinCheckBox: the wrapper of check boxes: the framework's and those of message boxes and
// dialogs. It draws a frame of the skin's CheckButton strip over the control's own box (see
// TSkinCheckable): unchecked, checked or mixed, as the control's State property (a bare window's
// BM_GETSTATE) says, in the disabled look when the window is disabled.
#pragma once

#include "skin/control/SkinCheckable.h"

namespace bus {

class TSkinCheckBox : public TSkinCheckable {
  BUS_CLASS(TSkinCheckBox)
public:
  using TSkinCheckable::TSkinCheckable;

  // The control's check state: its State property ("...uncheck...", "...check...", "...gray..."),
  // else its Checked property, else BM_GETSTATE; mixed whenever the window reports
  // BST_INDETERMINATE.
  TCheckMark Mark() const;

protected:
  TBox BoxOf(const TDataSkinButton& buttons, const TSkinRect& control) const override;
};

}  // namespace bus
