#include "skin/control/SkinStatusBar.h"

#include <utility>

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinStatusBar::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinStatusBar>("TSkinStatusBar", TSkinControl::StaticClassInfo()).Build();
  return info;
}

void TSkinStatusBar::AttachControl(TSkinWrapperHost* form, TSkinData* skin, bool recolour, TCanvas* canvas) {
  if (Attached()) return;
  hadSizeGrip_ = GetEnumPropertyName(Owner(), "SizeGrip") == "True";
  if (hadSizeGrip_) SetPropertyText(Owner(), "SizeGrip", "False");
  TSkinControl::AttachControl(form, skin, recolour, canvas);
}

void TSkinStatusBar::Detach() {
  TSkinControl::Detach();
  // giving the grip back makes a new window, whose old one detaches this wrapper once more
  if (std::exchange(hadSizeGrip_, false)) SetPropertyText(Owner(), "SizeGrip", "True");
}

}  // namespace bus
