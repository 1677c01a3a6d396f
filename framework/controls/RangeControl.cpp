#include "framework/controls/RangeControl.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TRangeControl::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TRangeControl>("TRangeControl", TWinControl::StaticClassInfo())
                                     .Int("Min", &TRangeControl::Min, &TRangeControl::SetMin, 0)
                                     .Int("Max", &TRangeControl::Max, &TRangeControl::SetMax, 100)
                                     .Int("Position", &TRangeControl::Position, &TRangeControl::SetPosition, 0)
                                     .Build();
  return info;
}

TRangeControl::TRangeControl(TComponent* owner, int min, int max) : TWinControl(owner), range_(min, max) {}

void TRangeControl::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyRange();
}

void TRangeControl::SettingsChanged() {
  if (HandleAllocated()) ApplyRange();
}

void TRangeControl::SetMin(int v) {
  SyncPosition();
  range_.SetMin(v);
  SettingsChanged();
}

void TRangeControl::SetMax(int v) {
  SyncPosition();
  range_.SetMax(v);
  SettingsChanged();
}

void TRangeControl::SetPosition(int v) {
  range_.SetPosition(v);
  SettingsChanged();
}

bool TRangeControl::TakeReportedPosition() {
  const int now = Position();
  if (now == range_.Position()) return false;
  range_.SetPosition(now);
  return true;
}

}  // namespace bus
