#include "skin/control/SkinBox.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinBox::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinBox>("TSkinBox", TSkinControl::StaticClassInfo()).Build();
  return info;
}

}  // namespace bus
