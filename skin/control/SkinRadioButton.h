// TSkinRadioButton: the wrapper of radio buttons: the framework's, the buttons of radio groups and
// those of dialogs. It draws a frame of the skin's RadioButton strip over the control's own circle
// (see TSkinCheckable): checked or not, as the control's Checked property (a bare window's
// BM_GETCHECK) says, in the disabled look when the window is disabled.
#pragma once

#include "skin/control/SkinCheckable.h"

namespace bus {

class TSkinRadioButton : public TSkinCheckable {
  BUS_CLASS(TSkinRadioButton)
public:
  using TSkinCheckable::TSkinCheckable;

  bool Checked() const;

protected:
  TBox BoxOf(const TDataSkinButton& buttons, const TSkinRect& control) const override;
};

}  // namespace bus
