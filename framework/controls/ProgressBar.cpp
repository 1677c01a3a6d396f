#include "framework/controls/ProgressBar.h"

#include <commctrl.h>

#include "framework/Properties.h"

namespace bus {

namespace {
const TIdentList kOrientations{"pbHorizontal", "pbVertical"};
}

const TClassInfo& TProgressBar::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TProgressBar>("TProgressBar", TRangeControl::StaticClassInfo())
          .Creatable()
          .Int("Step", &TProgressBar::Step, &TProgressBar::SetStep, 10)
          .Enum("Orientation", &TProgressBar::Orientation, &TProgressBar::SetOrientation, kOrientations,
                TProgressBarOrientation::pbHorizontal)
          .Bool("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth, false)
          .Build();
  return info;
}

TProgressBar::TProgressBar(TComponent* owner) : TRangeControl(owner, 0, 100) { SetBounds(0, 0, 150, 16); }

void TProgressBar::CreateParams(TCreateParams& p) {
  TRangeControl::CreateParams(p);
  p.sysClassName = PROGRESS_CLASSW;
  if (orientation_ == TProgressBarOrientation::pbVertical) p.style |= PBS_VERTICAL;
  if (smooth_) p.style |= PBS_SMOOTH;
}

void TProgressBar::ApplyRange() {
  HWND h = HandleIfAllocated();
  SendMessageW(h, PBM_SETRANGE32, WPARAM(Min()), LPARAM(Max()));
  SendMessageW(h, PBM_SETPOS, WPARAM(Position()), 0);
}

void TProgressBar::SetOrientation(TProgressBarOrientation v) {
  if (v == orientation_) return;
  orientation_ = v;
  RecreateWnd();
}

void TProgressBar::SetSmooth(bool v) {
  if (v == smooth_) return;
  smooth_ = v;
  RecreateWnd();
}

}  // namespace bus
