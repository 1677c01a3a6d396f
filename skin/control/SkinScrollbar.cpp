#include "skin/control/SkinScrollbar.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinScrollbar::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinScrollbar>("TSkinScrollbar", TSkinControl::StaticClassInfo()).Build();
  return info;
}

void TSkinScrollbar::AttachScrolling(TWinControl& control, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas) {
  if (Attached()) return;
  Bind(control, skin, form, canvas, true);
}

}  // namespace bus
