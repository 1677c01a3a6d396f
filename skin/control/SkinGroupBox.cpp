#include "skin/control/SkinGroupBox.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinGroupBox::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinGroupBox>("TSkinGroupBox", TSkinControl::StaticClassInfo()).Build();
  return info;
}

}  // namespace bus
