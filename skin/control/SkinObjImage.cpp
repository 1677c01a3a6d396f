#include "skin/control/SkinObjImage.h"

#include "framework/Properties.h"
#include "framework/controls/WinControl.h"

namespace bus {

const TClassInfo& TSkinObjImage::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinObjImage>("TSkinObjImage", TSkinControl::StaticClassInfo()).Build();
  return info;
}

void TSkinObjImage::AttachControl(TSkinWrapperHost* form, TSkinData* skin, bool recolour, TCanvas* canvas) {
  if (Attached()) return;
  auto* control = dynamic_cast<TWinControl*>(Owner());
  if (!control) return;
  SetRecolour(recolour);
  Bind(*control, skin, form, canvas, false);
  if (mode_ == 1) SetPropertyText(Owner(), "UseCustomGlyphs", "True");
  SetStatus(kWrapperAttached);
}

void TSkinObjImage::Detach() {
  if (mode_ == 1) SetPropertyText(Owner(), "UseCustomGlyphs", "False");
}

}  // namespace bus
