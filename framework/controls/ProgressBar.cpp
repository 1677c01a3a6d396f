#include "framework/controls/ProgressBar.h"

#include <commctrl.h>

#include "framework/Properties.h"

namespace bus {

namespace {
const TIdentList kOrientations{"pbHorizontal", "pbVertical"};
}

const TClassInfo& TProgressBar::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TProgressBar>("TProgressBar", TWinControl::StaticClassInfo())
          .Creatable()
          .Int("Min", &TProgressBar::Min, &TProgressBar::SetMin, 0)
          .Int("Max", &TProgressBar::Max, &TProgressBar::SetMax, 100)
          .Int("Position", &TProgressBar::Position, &TProgressBar::SetPosition, 0)
          .Int("Step", &TProgressBar::Step, &TProgressBar::SetStep, 10)
          .Enum("Orientation", &TProgressBar::Orientation, &TProgressBar::SetOrientation, kOrientations,
                TProgressBarOrientation::pbHorizontal)
          .Bool("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth, false)
          .Build();
  return info;
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.sysClassName = PROGRESS_CLASSW;
  if (orientation_ == TProgressBarOrientation::pbVertical) p.style |= PBS_VERTICAL;
  if (smooth_) p.style |= PBS_SMOOTH;
}

void TProgressBar::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyRange();
}

void TProgressBar::ApplyRange() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  SendMessageW(h, PBM_SETRANGE32, WPARAM(range_.Min()), LPARAM(range_.Max()));
  SendMessageW(h, PBM_SETPOS, WPARAM(range_.Position()), 0);
}

void TProgressBar::SetMin(int v) {
  range_.SetMin(v);
  ApplyRange();
}

void TProgressBar::SetMax(int v) {
  range_.SetMax(v);
  ApplyRange();
}

void TProgressBar::SetPosition(int v) {
  range_.SetPosition(v);
  if (HWND h = HandleIfAllocated()) SendMessageW(h, PBM_SETPOS, WPARAM(range_.Position()), 0);
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
