#include "framework/controls/TrackBar.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/Properties.h"

namespace bus {

namespace {
const TIdentList kOrientations{"trHorizontal", "trVertical"};
const TIdentList kTickStyles{"tsNone", "tsAuto", "tsManual"};
const TIdentList kTickMarks{"tmBottomRight", "tmTopLeft", "tmBoth"};
}  // namespace

const TClassInfo& TTrackBar::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TTrackBar>("TTrackBar", TRangeControl::StaticClassInfo())
          .Creatable()
          .Int("Max", &TTrackBar::Max, &TTrackBar::SetMax, 10)
          .Int("LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize, 1)
          .Int("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize, 2)
          .Int("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency, 1)
          .Enum("Orientation", &TTrackBar::Orientation, &TTrackBar::SetOrientation, kOrientations,
                TTrackBarOrientation::trHorizontal)
          .Enum("TickStyle", &TTrackBar::TickStyle, &TTrackBar::SetTickStyle, kTickStyles, TTickStyle::tsAuto)
          .Enum("TickMarks", &TTrackBar::TickMarks, &TTrackBar::SetTickMarks, kTickMarks, TTickMark::tmBottomRight)
          .Event("OnChange", &TTrackBar::OnChange)
          .Build();
  return info;
}

TTrackBar::TTrackBar(TComponent* owner) : TRangeControl(owner, 0, 10) {
  clickOnMouseUp_ = false;  // the control reports its own moves
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& p) {
  TRangeControl::CreateParams(p);
  p.sysClassName = TRACKBAR_CLASSW;
  if (orientation_ == TTrackBarOrientation::trVertical) p.style |= TBS_VERT;
  if (tickStyle_ == TTickStyle::tsNone) p.style |= TBS_NOTICKS;
  else if (tickStyle_ == TTickStyle::tsAuto) p.style |= TBS_AUTOTICKS;
  if (tickMarks_ == TTickMark::tmTopLeft) p.style |= TBS_TOP;
  else if (tickMarks_ == TTickMark::tmBoth) p.style |= TBS_BOTH;
}

void TTrackBar::ApplyRange() {
  HWND h = HandleIfAllocated();
  SendMessageW(h, TBM_SETRANGEMIN, FALSE, LPARAM(Min()));
  SendMessageW(h, TBM_SETRANGEMAX, FALSE, LPARAM(Max()));
  SendMessageW(h, TBM_SETLINESIZE, 0, LPARAM(lineSize_));
  SendMessageW(h, TBM_SETPAGESIZE, 0, LPARAM(pageSize_));
  SendMessageW(h, TBM_SETTICFREQ, WPARAM(frequency_), 0);
  SendMessageW(h, TBM_SETPOS, TRUE, LPARAM(range_.Position()));
}

int TTrackBar::Position() const {
  if (HWND h = HandleIfAllocated()) return int(SendMessageW(h, TBM_GETPOS, 0, 0));
  return range_.Position();
}

void TTrackBar::SetLineSize(int v) {
  SyncPosition();
  lineSize_ = v;
  SettingsChanged();
}

void TTrackBar::SetPageSize(int v) {
  SyncPosition();
  pageSize_ = v;
  SettingsChanged();
}

void TTrackBar::SetFrequency(int v) {
  SyncPosition();
  frequency_ = std::max(v, 1);
  SettingsChanged();
}

void TTrackBar::SetOrientation(TTrackBarOrientation v) {
  if (v == orientation_) return;
  SyncPosition();
  orientation_ = v;
  RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle v) {
  if (v == tickStyle_) return;
  SyncPosition();
  tickStyle_ = v;
  RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark v) {
  if (v == tickMarks_) return;
  SyncPosition();
  tickMarks_ = v;
  RecreateWnd();
}

// The track bar reports every move of the thumb to its parent as a scroll message, which comes
// back here; only a real change of position fires OnChange.
void TTrackBar::WndProc(TMessage& m) {
  if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
    if (TakeReportedPosition()) OnChange(this);
    return;
  }
  TRangeControl::WndProc(m);
}

}  // namespace bus
