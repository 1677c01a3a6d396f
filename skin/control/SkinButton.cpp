#include "skin/control/SkinButton.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinButton::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinButton>("TSkinButton", TSkinControl::StaticClassInfo()).Build();
  return info;
}

}  // namespace bus
