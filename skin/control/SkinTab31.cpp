#include "skin/control/SkinTab31.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinTab31::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinTab31>("TSkinTab31", TSkinControl::StaticClassInfo()).Build();
  return info;
}

}  // namespace bus
