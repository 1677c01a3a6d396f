// Progress bars: a superclassed native progress bar showing Position between Min and Max,
// horizontal or vertical.
//
// This is the progress bar kind of the skin's control selection: TProgressBar and every class
// derived from it.
#pragma once

#include "framework/controls/RangeControl.h"

namespace bus {

enum class TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TRangeControl {
  BUS_CLASS(TProgressBar)
public:
  explicit TProgressBar(TComponent* owner);

  int Step() const noexcept { return step_; }
  void SetStep(int v) noexcept { step_ = v; }
  // Moves Position by Step (by delta), within the range.
  void StepIt() { StepBy(step_); }
  void StepBy(int delta) { SetPosition(Position() + delta); }
  // These two are set before the window is made (a later change makes the window again).
  TProgressBarOrientation Orientation() const noexcept { return orientation_; }
  void SetOrientation(TProgressBarOrientation v);
  // One continuous bar instead of blocks.
  bool Smooth() const noexcept { return smooth_; }
  void SetSmooth(bool v);

protected:
  void CreateParams(TCreateParams& params) override;
  void ApplyRange() override;

private:
  int step_ = 10;  // StepIt's move
  TProgressBarOrientation orientation_ = TProgressBarOrientation::pbHorizontal;  // bar direction
  bool smooth_ = false;  // PBS_SMOOTH
};

}  // namespace bus
