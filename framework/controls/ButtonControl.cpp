#include "framework/controls/ButtonControl.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TButtonControl::StaticClassInfo() {
  static const TClassInfo info{"TButtonControl", &TWinControl::StaticClassInfo(), {}, {}};
  return info;
}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
  clickOnMouseUp_ = false;
  captureOnPress_ = false;
  SetTabStop(true);
}

}  // namespace bus
