#include "framework/controls/CheckBox.h"

#include "framework/Properties.h"
#include "framework/controls/PropertyIdents.h"

namespace bus {

namespace {
const TIdentList kCheckStates{"cbUnchecked", "cbChecked", "cbGrayed"};
}  // namespace

const TClassInfo& TCustomCheckBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomCheckBox>("TCustomCheckBox", TButtonControl::StaticClassInfo())
          .Enum("State", &TCustomCheckBox::State, &TCustomCheckBox::SetState, kCheckStates, TCheckBoxState::cbUnchecked)
          .Bool("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked, false)
          .Bool("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed, false)
          .Enum("Alignment", &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment, kAlignmentNames,
                TAlignment::taRightJustify)
          .Build();
  return info;
}
const TClassInfo& TCheckBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCheckBox>("TCheckBox", TCustomCheckBox::StaticClassInfo()).Creatable().Build();
  return info;
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 97, 17); }

void TCustomCheckBox::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.sysClassName = L"BUTTON";
  p.style |= BS_3STATE;
  if (alignment_ == TAlignment::taLeftJustify) p.style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageW(HandleIfAllocated(), BM_SETCHECK, WPARAM(state_), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState v) {
  if (v == state_) return;
  state_ = v;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, BM_SETCHECK, WPARAM(v), 0);
  if (!Loading()) Click();
}

void TCustomCheckBox::Toggle() {
  switch (state_) {
    case TCheckBoxState::cbUnchecked:
      SetState(TCheckBoxState::cbChecked);
      break;
    case TCheckBoxState::cbChecked:
      SetState(allowGrayed_ ? TCheckBoxState::cbGrayed : TCheckBoxState::cbUnchecked);
      break;
    default:
      SetState(TCheckBoxState::cbUnchecked);
      break;
  }
}

void TCustomCheckBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == BN_CLICKED) Toggle();
    return;
  }
  TButtonControl::WndProc(m);
}

}  // namespace bus
