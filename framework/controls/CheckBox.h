// Check boxes: a superclassed native three-state BUTTON whose check mark is kept in step with State
// (BM_SETCHECK goes through the window on every change).
#pragma once

#include "framework/Types.h"
#include "framework/controls/ButtonControl.h"

namespace bus {

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TButtonControl {
  BUS_CLASS(TCustomCheckBox)
public:
  explicit TCustomCheckBox(TComponent* owner);
  TCheckBoxState State() const noexcept { return state_; }
  // Sends BM_SETCHECK through the window and fires OnClick when the state changes.
  void SetState(TCheckBoxState v);
  bool Checked() const noexcept { return state_ == TCheckBoxState::cbChecked; }
  void SetChecked(bool v) { SetState(v ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
  bool AllowGrayed() const noexcept { return allowGrayed_; }
  void SetAllowGrayed(bool v) noexcept { allowGrayed_ = v; }
  // taRightJustify (default): box left, text right; taLeftJustify: text left (BS_LEFTTEXT).
  TAlignment Alignment() const noexcept { return alignment_; }
  void SetAlignment(TAlignment v) noexcept { alignment_ = v; }

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // The next state of a click: unchecked, checked, grayed (when allowed), unchecked...
  virtual void Toggle();

private:
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;  // check mark
  bool allowGrayed_ = false;                             // the third state is reachable by clicks
  TAlignment alignment_ = TAlignment::taRightJustify;    // text side
};

class TCheckBox : public TCustomCheckBox {
  BUS_CLASS(TCheckBox)
public:
  using TCustomCheckBox::TCustomCheckBox;
};

}  // namespace bus
