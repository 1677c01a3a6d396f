#include "skin/control/SkinScControl.h"

#include "framework/Properties.h"
#include "framework/controls/WinControl.h"
#include "skin/control/WScrollbar.h"

namespace bus {

const TClassInfo& TSkinScControl::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinScControl>("TSkinScControl", TSkinControl::StaticClassInfo()).Build();
  return info;
}

void TSkinScControl::AttachScrollControl(TWinControl& control, TSkinData* skin, TSkinWrapperHost* form,
                                         TCanvas* canvas) {
  if (Attached()) return;
  Bind(control, skin, form, canvas, false);
  AddBar(&control, nullptr, kBarControl);
  HookControl(control);
}

TWScrollbar* TSkinScControl::Bar() const noexcept { return TSkinScrollbarBase::Bar(kBarControl); }

}  // namespace bus
