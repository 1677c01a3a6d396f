// TSkinBoxH: the wrapper of dialog-box windows (#32770) that lie inside other windows. The dialog's
// background is the skin's face colour, and so is the background its static texts and buttons ask
// it for, their text in the skin's ButtonText; everything else is the dialog's own.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinBoxH : public TSkinControl {
  BUS_CLASS(TSkinBoxH)
public:
  using TSkinControl::TSkinControl;
  // WM_ERASEBKGND fills with ButtonFace; WM_CTLCOLORDLG, WM_CTLCOLORSTATIC and WM_CTLCOLORBTN
  // answer the skin's face brush after the dialog's own answer has set up the child's DC.
  bool BeforeDefault(TMessage& m) override;
};

}  // namespace bus
