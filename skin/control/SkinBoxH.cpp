#include "skin/control/SkinBoxH.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinBoxH::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinBoxH>("TSkinBoxH", TSkinControl::StaticClassInfo()).Build();
  return info;
}

}  // namespace bus
