// Radio buttons: a superclassed native BUTTON (BS_RADIOBUTTON) whose check mark the object keeps.
// Checking one unchecks the other radio buttons of the same parent; only the checked button of a
// group is a tab stop, as in a dialog. A user's click (mouse, Space, or the keyboard focus arriving
// on an unchecked button) checks it and fires OnClick; setting Checked from code fires nothing.
#pragma once

#include "framework/Types.h"
#include "framework/controls/ButtonControl.h"

namespace bus {

class TRadioButton : public TButtonControl {
  BUS_CLASS(TRadioButton)
public:
  explicit TRadioButton(TComponent* owner);
  bool Checked() const noexcept { return checked_; }
  // Sends BM_SETCHECK through the window; a button becoming checked unchecks its siblings.
  void SetChecked(bool v);
  // taRightJustify (default): circle left, text right; taLeftJustify: text left (BS_LEFTTEXT).
  TAlignment Alignment() const noexcept { return alignment_; }
  void SetAlignment(TAlignment v) noexcept { alignment_ = v; }

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

private:
  bool checked_ = false;                               // check mark
  TAlignment alignment_ = TAlignment::taRightJustify;  // text side
};

}  // namespace bus
