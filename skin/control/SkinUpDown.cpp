#include "skin/control/SkinUpDown.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinUpDown::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinUpDown>("TSkinUpDown", TSkinControl::StaticClassInfo()).Build();
  return info;
}

}  // namespace bus
