// The base of controls that show a position between two limits: progress bars, track bars,
// up-down controls and scroll bars. A new limit moves the other one along when the two would
// cross, and Position stays inside (see TBoundedPosition). A control whose window the user moves
// reads Position from the window.
#pragma once

#include "framework/BoundedPosition.h"
#include "framework/controls/WinControl.h"

namespace bus {

class TRangeControl : public TWinControl {
  BUS_CLASS(TRangeControl)
public:
  int Min() const noexcept { return range_.Min(); }
  int Max() const noexcept { return range_.Max(); }
  void SetMin(int v);
  void SetMax(int v);
  virtual int Position() const { return range_.Position(); }
  void SetPosition(int v);

protected:
  TRangeControl(TComponent* owner, int min, int max);
  void CreateWnd() override;
  // Gives the window the range and position (and the control's other settings); only called
  // while there is a window.
  virtual void ApplyRange() = 0;
  // Takes the position the window shows (the user may have moved it).
  void SyncPosition() { range_.SetPosition(Position()); }
  // A setting changed: the window (when there is one) takes the range and settings again.
  void SettingsChanged();
  // After the window reported a move: takes its position; true when that is a new one.
  bool TakeReportedPosition();

  TBoundedPosition range_;  // Min, Max, Position (and a scroll bar's page)
};

}  // namespace bus
