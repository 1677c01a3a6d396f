// Up-down controls: a superclassed native up-down control (msctls_updown32), two arrow buttons that
// step Position by Increment between Min and Max. With an Associate (an edit box) the control sits
// just right of the edit and keeps the edit's text in step with Position, both ways: the arrows
// write the number into the edit, and a number typed in the edit is where the next step starts.
// OnChange fires when the user changes Position (arrows, or arrow keys in the edit); setting it
// from code fires nothing.
#pragma once

#include "framework/controls/RangeControl.h"

namespace bus {

enum class TUDOrientation { udVertical, udHorizontal };

class TUpDown : public TRangeControl {
  BUS_CLASS(TUpDown)
public:
  explicit TUpDown(TComponent* owner);

  // The platform reads the edit's number, so a typed number counts.
  int Position() const override;
  int Increment() const noexcept { return increment_; }
  void SetIncrement(int v);
  // Stepping past one end goes on from the other.
  bool Wrap() const noexcept { return wrap_; }
  void SetWrap(bool v);
  // Set before the window is made (a later change makes the window again).
  TUDOrientation Orientation() const noexcept { return orientation_; }
  void SetOrientation(TUDOrientation v);
  TWinControl* Associate() const noexcept { return associate_; }
  void SetAssociate(TWinControl* control);

  TNotifyEvent OnChange;  // published

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void ApplyRange() override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  void ApplyAssociate();

  int increment_ = 1;           // one arrow step
  bool wrap_ = false;           // UDS_WRAP
  TUDOrientation orientation_ = TUDOrientation::udVertical;  // arrows stacked or side by side
  TWinControl* associate_ = nullptr;  // the edit kept in step (buddy window)
};

}  // namespace bus
