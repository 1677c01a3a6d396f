#include "skin/control/SkinTab.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinTab::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinTab>("TSkinTab", TSkinControl::StaticClassInfo()).Build();
  return info;
}

}  // namespace bus
