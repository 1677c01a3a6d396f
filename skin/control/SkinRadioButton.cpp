#include "skin/control/SkinRadioButton.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinRadioButton::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinRadioButton>("TSkinRadioButton", TSkinControl::StaticClassInfo()).Build();
  return info;
}

}  // namespace bus
