#include "skin/control/SkinScrollbar.h"

#include "framework/Properties.h"
#include "framework/controls/WinControl.h"
#include "skin/control/WScrollbar.h"

namespace bus {

const TClassInfo& TSkinScrollbar::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinScrollbar>("TSkinScrollbar", TSkinControl::StaticClassInfo()).Build();
  return info;
}

void TSkinScrollbar::AttachScrolling(TWinControl& control, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas) {
  if (Attached()) return;
  Bind(control, skin, form, canvas, false);
  AddBar(&control, nullptr, kBarHorizontal);
  AddBar(&control, nullptr, kBarVertical);
  if (!control.Visible()) HideBars();
  HookControl(control);
}

TWScrollbar* TSkinScrollbar::HorzBar() const noexcept { return Bar(kBarHorizontal); }
TWScrollbar* TSkinScrollbar::VertBar() const noexcept { return Bar(kBarVertical); }

}  // namespace bus
