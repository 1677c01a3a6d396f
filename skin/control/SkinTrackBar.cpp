#include "skin/control/SkinTrackBar.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinTrackBar::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinTrackBar>("TSkinTrackBar", TSkinControl::StaticClassInfo()).Build();
  return info;
}

}  // namespace bus
