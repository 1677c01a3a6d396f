#include "skin/control/SkinScrollbarH.h"

#include "framework/Properties.h"
#include "skin/control/WScrollbar.h"

namespace bus {

const TClassInfo& TSkinScrollbarH::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinScrollbarH>("TSkinScrollbarH", TSkinControl::StaticClassInfo()).Build();
  return info;
}

void TSkinScrollbarH::AttachWindow(HWND handle, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas) {
  if (Attached()) return;
  TSkinControl::AttachWindow(handle, skin, form, canvas);
  AddBar(nullptr, handle, kBarHorizontal);
  AddBar(nullptr, handle, kBarVertical);
}

TWScrollbar* TSkinScrollbarH::HorzBar() const noexcept { return Bar(kBarHorizontal); }
TWScrollbar* TSkinScrollbarH::VertBar() const noexcept { return Bar(kBarVertical); }

}  // namespace bus
