#include "skin/control/SkinSizer.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinSizer::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinSizer>("TSkinSizer", TSkinControl::StaticClassInfo()).Build();
  return info;
}

}  // namespace bus
