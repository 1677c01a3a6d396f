// Edit boxes: a superclassed native EDIT. The text is the window text; the border is sunken or, under
// a flat parent, one pixel wide.
#pragma once

#include "framework/controls/WinControl.h"

namespace bus {

class TCustomEdit : public TWinControl {
  BUS_CLASS(TCustomEdit)
public:
  explicit TCustomEdit(TComponent* owner);
  int MaxLength() const noexcept { return maxLength_; }
  void SetMaxLength(int v);
  bool ReadOnly() const noexcept { return readOnly_; }
  void SetReadOnly(bool v);
  void SelectAll();
  int SelStart() const;
  int SelLength() const;
  void SetSel(int start, int length);
  void Clear() { SetText(""); }

  TNotifyEvent OnChange;  // published

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void Ctl3DChanged() override;

private:
  int maxLength_ = 0;     // 0: no limit
  bool readOnly_ = false; // refuses typing
};

class TEdit : public TCustomEdit {
  BUS_CLASS(TEdit)
public:
  using TCustomEdit::TCustomEdit;
};

}  // namespace bus
