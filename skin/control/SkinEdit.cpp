#include "skin/control/SkinEdit.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinEdit::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinEdit>("TSkinEdit", TSkinControl::StaticClassInfo()).Build();
  return info;
}

}  // namespace bus
