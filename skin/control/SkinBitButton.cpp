#include "skin/control/SkinBitButton.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinBitButton::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinBitButton>("TSkinBitButton", TSkinButton::StaticClassInfo()).Build();
  return info;
}

}  // namespace bus
