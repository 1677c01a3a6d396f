#include "skin/control/SkinHeader.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinHeader::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinHeader>("TSkinHeader", TSkinControl::StaticClassInfo()).Build();
  return info;
}

}  // namespace bus
