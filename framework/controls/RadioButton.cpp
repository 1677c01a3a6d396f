#include "framework/controls/RadioButton.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TRadioButton::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TRadioButton>("TRadioButton", TButtonControl::StaticClassInfo())
          .Creatable()
          .Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked, false)
          .Enum("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment, kAlignmentNames,
                TAlignment::taRightJustify)
          .Build();
  return info;
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
  SetBounds(0, 0, 113, 17);
  SetTabStop(false);
}

void TRadioButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.sysClassName = L"BUTTON";
  p.style |= BS_RADIOBUTTON;
  if (alignment_ == TAlignment::taLeftJustify) p.style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageW(HandleIfAllocated(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  SetTabStop(v);
  if (HWND h = HandleIfAllocated()) SendMessageW(h, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!v || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i)
    if (auto* other = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); other && other != this)
      other->SetChecked(false);
}

// BN_CLICKED: the mouse, Space, or the focus arriving by keyboard on an unchecked button.
void TRadioButton::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == BN_CLICKED && !checked_) {
      SetChecked(true);
      Click();
    }
    return;
  }
  TButtonControl::WndProc(m);
}

}  // namespace bus
