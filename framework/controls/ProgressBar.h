// Progress bars: a superclassed native progress bar showing Position between Min and Max,
// horizontal or vertical. Position is kept inside the range.
//
// This is the progress bar kind of the skin's control selection: TProgressBar and every class
// derived from it.
#pragma once

#include "framework/BoundedPosition.h"
#include "framework/controls/WinControl.h"

namespace bus {

enum class TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
  BUS_CLASS(TProgressBar)
public:
  explicit TProgressBar(TComponent* owner);

  int Min() const noexcept { return range_.Min(); }
  int Max() const noexcept { return range_.Max(); }
  // A new limit moves the other one and Position along when they would cross.
  void SetMin(int v);
  void SetMax(int v);
  int Position() const noexcept { return range_.Position(); }
  void SetPosition(int v);
  int Step() const noexcept { return step_; }
  void SetStep(int v) noexcept { step_ = v; }
  // Moves Position by Step (by delta), within the range.
  void StepIt() { StepBy(step_); }
  void StepBy(int delta) { SetPosition(Position() + delta); }
  TProgressBarOrientation Orientation() const noexcept { return orientation_; }
  // Set before the window is made (a later change makes the window again).
  void SetOrientation(TProgressBarOrientation v);
  // One continuous bar instead of blocks.
  bool Smooth() const noexcept { return smooth_; }
  void SetSmooth(bool v);

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

private:
  void ApplyRange();

  TBoundedPosition range_{0, 100};  // Min, Max, Position
  int step_ = 10;               // StepIt's move
  TProgressBarOrientation orientation_ = TProgressBarOrientation::pbHorizontal;  // bar direction
  bool smooth_ = false;         // PBS_SMOOTH
};

}  // namespace bus
