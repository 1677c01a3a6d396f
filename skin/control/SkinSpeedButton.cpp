#include "skin/control/SkinSpeedButton.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinSpeedButton::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinSpeedButton>("TSkinSpeedButton", TSkinBitButton::StaticClassInfo()).Build();
  return info;
}

}  // namespace bus
