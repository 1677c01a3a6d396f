// Push buttons: a superclassed native BUTTON; a click (mouse, Space, or Click() from code) fires
// OnClick. A default button has the default-button style and is clicked by Enter on the form.
#pragma once

#include "framework/controls/ButtonControl.h"

namespace bus {

class TButton : public TButtonControl {
  BUS_CLASS(TButton)
public:
  explicit TButton(TComponent* owner);
  // Enter on the form clicks it; drawn with the default-button style.
  bool Default() const noexcept { return default_; }
  void SetDefault(bool v);
  // Escape on the form clicks it.
  bool Cancel() const noexcept { return cancel_; }
  void SetCancel(bool v) noexcept { cancel_ = v; }

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  // The native button style: a default or a plain push button; owner-drawn buttons answer theirs.
  virtual DWORD ButtonStyle() const { return default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON; }

private:
  bool default_ = false;  // BS_DEFPUSHBUTTON
  bool cancel_ = false;   // Escape clicks it
};

}  // namespace bus
