#include "skin/control/SkinBox.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinBox::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinBox>("TSkinBox", TSkinControl::StaticClassInfo()).Build();
  return info;
}

void TSkinBox::Detach() {
  TSkinControl::Detach();
  if (Status() != kWrapperGone) SetStatus(kWrapperReleased);
}

void TSkinBox::AfterDefault(TMessage& m) {
  if (m.Msg == kSkinMsgSwitch) TSkinControl::AfterDefault(m);
}

}  // namespace bus
