#include "skin/control/SkinProgress.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinProgress::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinProgress>("TSkinProgress", TSkinControl::StaticClassInfo()).Build();
  return info;
}

}  // namespace bus
