// The screen: the forms in creation order and a lookup by window, the active form and control,
// the cursor (with its overriding Cursor for hourglass phases) and the menu font.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/controls/Control.h"

namespace bus {

class TCustomForm;
class TWinControl;

class TScreen {
public:
  TScreen();
  ~TScreen();

  int FormCount() const noexcept { return int(forms_.size()); }
  TCustomForm* Forms(int index) const { return forms_.at(size_t(index)); }
  // The form whose window is window, or null.
  TCustomForm* FindForm(HWND window) const noexcept;
  TCustomForm* ActiveForm() const noexcept { return activeForm_; }
  TWinControl* ActiveControl() const noexcept { return activeControl_; }

  // A cursor other than crDefault overrides every control's own until set back to crDefault.
  TCursor Cursor() const noexcept { return cursor_; }
  void SetCursor(TCursor cursor);
  // The platform cursor for an identifier (crDefault: the arrow).
  HCURSOR Cursors(TCursor cursor) const;
  // The platform's menu font.
  TFont& MenuFont();
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }

  // Kept up to date by the forms.
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form) noexcept;
  void SetActiveForm(TCustomForm* form) noexcept { activeForm_ = form; }
  void SetActiveControl(TWinControl* control) noexcept { activeControl_ = control; }
  void ControlGoing(TControl* control) noexcept;

private:
  std::vector<TCustomForm*> forms_;     // in creation order
  TCustomForm* activeForm_ = nullptr;   // last activated form
  TWinControl* activeControl_ = nullptr;  // focused control of the active form
  TCursor cursor_ = crDefault;          // overriding cursor
  std::unique_ptr<TFont> menuFont_;     // made on first use
};

TScreen& Screen();

}  // namespace bus
