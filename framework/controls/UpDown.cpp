#include "framework/controls/UpDown.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/Properties.h"

namespace bus {

namespace {
const TIdentList kOrientations{"udVertical", "udHorizontal"};
}

const TClassInfo& TUpDown::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TUpDown>("TUpDown", TRangeControl::StaticClassInfo())
          .Creatable()
          .Int("Increment", &TUpDown::Increment, &TUpDown::SetIncrement, 1)
          .Bool("Wrap", &TUpDown::Wrap, &TUpDown::SetWrap, false)
          .Enum("Orientation", &TUpDown::Orientation, &TUpDown::SetOrientation, kOrientations,
                TUDOrientation::udVertical)
          .Reference<TWinControl>("Associate", &TUpDown::Associate, &TUpDown::SetAssociate)
          .Event("OnChange", &TUpDown::OnChange)
          .Build();
  return info;
}

TUpDown::TUpDown(TComponent* owner) : TRangeControl(owner, 0, 100) {
  clickOnMouseUp_ = false;  // the control reports its own steps
  SetBounds(0, 0, 17, 21);
}

void TUpDown::CreateParams(TCreateParams& p) {
  TRangeControl::CreateParams(p);
  p.sysClassName = UPDOWN_CLASSW;
  p.style |= UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
  if (wrap_) p.style |= UDS_WRAP;
  if (orientation_ == TUDOrientation::udHorizontal) p.style |= UDS_HORZ;
}

void TUpDown::CreateWnd() {
  TRangeControl::CreateWnd();
  if (!Loading()) ApplyAssociate();
}

void TUpDown::Loaded() {
  TRangeControl::Loaded();
  ApplyAssociate();
}

void TUpDown::ApplyRange() {
  HWND h = HandleIfAllocated();
  SendMessageW(h, UDM_SETRANGE32, WPARAM(Min()), LPARAM(Max()));
  UDACCEL accel{0, UINT(increment_)};
  SendMessageW(h, UDM_SETACCEL, 1, LPARAM(&accel));
  SendMessageW(h, UDM_SETPOS32, 0, LPARAM(range_.Position()));
}

// The buddy needs both windows; the edit's window is made here when the up-down has one. The
// arrows go just right of the edit, as high as it; the edit keeps its size (the platform's own
// alignment would narrow it again at every new association).
void TUpDown::ApplyAssociate() {
  if (associate_ && associate_->Parent() == Parent())
    SetBounds(associate_->Left() + associate_->Width(), associate_->Top(), Width(), associate_->Height());
  HWND h = HandleIfAllocated();
  if (!h) return;
  SendMessageW(h, UDM_SETBUDDY, WPARAM(associate_ ? associate_->Handle() : nullptr), 0);
  SendMessageW(h, UDM_SETPOS32, 0, LPARAM(range_.Position()));  // writes the number into the edit
}

int TUpDown::Position() const {
  if (HWND h = HandleIfAllocated()) return int(SendMessageW(h, UDM_GETPOS32, 0, 0));
  return range_.Position();
}

void TUpDown::SetIncrement(int v) {
  SyncPosition();
  increment_ = std::max(v, 1);
  SettingsChanged();
}

void TUpDown::SetWrap(bool v) {
  wrap_ = v;
  if (HWND h = HandleIfAllocated()) {
    const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
    SetWindowLongPtrW(h, GWL_STYLE, v ? (style | UDS_WRAP) : (style & ~LONG_PTR(UDS_WRAP)));
  }
}

void TUpDown::SetOrientation(TUDOrientation v) {
  if (v == orientation_) return;
  SyncPosition();
  orientation_ = v;
  RecreateWnd();
}

void TUpDown::SetAssociate(TWinControl* control) {
  if (control == this) throw EInvalidOperation("an up-down control cannot be its own associate");
  if (control == associate_) return;
  if (associate_) associate_->RemoveFreeNotification(this);
  associate_ = control;
  if (control) control->FreeNotification(this);
  if (!Loading()) ApplyAssociate();
}

void TUpDown::Notification(TComponent* component, TOperation operation) {
  TRangeControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == associate_) {
    associate_ = nullptr;
    if (HWND h = HandleIfAllocated()) SendMessageW(h, UDM_SETBUDDY, 0, 0);
  }
}

// After each step the control tells its parent with a scroll message (SB_THUMBPOSITION), which
// comes back here.
void TUpDown::WndProc(TMessage& m) {
  if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
    if (LOWORD(m.WParam) == SB_THUMBPOSITION && TakeReportedPosition()) OnChange(this);
    return;
  }
  TRangeControl::WndProc(m);
}

}  // namespace bus
