#include "skin/control/SkinRadioButton.h"

#include "core/TextUtil.h"
#include "framework/Properties.h"
#include "framework/controls/WinControl.h"
#include "skin/data/SkinObjects.h"

namespace bus {

const TClassInfo& TSkinRadioButton::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSkinRadioButton>("TSkinRadioButton", TSkinCheckable::StaticClassInfo()).Build();
  return info;
}

bool TSkinRadioButton::Checked() const {
  const TWinControl* control = Control();
  if (control && FindProperty(control, "Checked"))
    return AsciiLower(GetEnumPropertyName(control, "Checked")) == "true";
  return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

TSkinCheckable::TBox TSkinRadioButton::BoxOf(const TDataSkinButton& buttons, const TSkinRect& control) const {
  TBox box;
  box.strip = &buttons.RadioButton();
  box.frameCount = buttons.RadioButtonFrame();
  if (box.frameCount < 1 || box.strip->Empty()) return box;
  box.frame = RadioButtonFrame(Checked(), !DisabledNow(), box.frameCount);
  box.place = RadioButtonPlacement(control, box.strip->Width() / box.frameCount, box.strip->Height(), BoxRight());
  return box;
}

}  // namespace bus
