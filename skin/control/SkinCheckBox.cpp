#include "skin/control/SkinCheckBox.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinCheckBox::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinCheckBox>("TSkinCheckBox", TSkinControl::StaticClassInfo()).Build();
  return info;
}

}  // namespace bus
