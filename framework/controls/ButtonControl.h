// The base of the native button controls (push buttons, check boxes): tab stops that click through
// the reflected BN_CLICKED rather than the layer's own press logic.
#pragma once

#include "framework/controls/WinControl.h"

namespace bus {

class TButtonControl : public TWinControl {
  BUS_CLASS(TButtonControl)
public:
  explicit TButtonControl(TComponent* owner);
};

}  // namespace bus
