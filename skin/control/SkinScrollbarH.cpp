#include "skin/control/SkinScrollbarH.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinScrollbarH::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinScrollbarH>("TSkinScrollbarH", TSkinControl::StaticClassInfo()).Build();
  return info;
}

}  // namespace bus
