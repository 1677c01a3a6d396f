#include "skin/control/SkinCheckBox.h"

#include "core/TextUtil.h"
#include "framework/Properties.h"
#include "framework/controls/WinControl.h"
#include "skin/data/SkinObjects.h"

namespace bus {

const TClassInfo& TSkinCheckBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSkinCheckBox>("TSkinCheckBox", TSkinCheckable::StaticClassInfo()).Build();
  return info;
}

TCheckMark TSkinCheckBox::Mark() const {
  const LRESULT state = SendMessageW(Handle(), BM_GETSTATE, 0, 0);
  if (state & BST_INDETERMINATE) return TCheckMark::mixed;
  TCheckMark mark = (state & BST_CHECKED) ? TCheckMark::checked : TCheckMark::unchecked;
  if (const TWinControl* control = Control()) {
    if (FindProperty(control, "State")) {
      const std::string name = AsciiLower(GetEnumPropertyName(control, "State"));
      if (name.find("uncheck") != std::string::npos) mark = TCheckMark::unchecked;
      else if (name.find("check") != std::string::npos) mark = TCheckMark::checked;
      else if (name.find("gray") != std::string::npos) mark = TCheckMark::mixed;
    } else if (FindProperty(control, "Checked")) {
      mark = AsciiLower(GetEnumPropertyName(control, "Checked")) == "true" ? TCheckMark::checked
                                                                          : TCheckMark::unchecked;
    }
  }
  return mark;
}

TSkinCheckable::TBox TSkinCheckBox::BoxOf(const TDataSkinButton& buttons, const TSkinRect& control) const {
  TBox box;
  box.strip = &buttons.CheckButton();
  box.frameCount = buttons.CheckButtonFrame();
  if (box.frameCount < 1 || box.strip->Empty()) return box;
  box.frame = CheckBoxFrame(Mark(), !DisabledNow(), box.frameCount);
  box.place = CheckBoxPlacement(control, box.strip->Width() / box.frameCount, box.strip->Height(), BoxRight());
  return box;
}

}  // namespace bus
