#include "skin/control/SkinComBox.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinComBox::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinComBox>("TSkinComBox", TSkinControl::StaticClassInfo()).Build();
  return info;
}

}  // namespace bus
