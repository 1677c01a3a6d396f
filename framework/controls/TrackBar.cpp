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
      TClassBuilder<TTrackBar>("TTrackBar", TWinControl::StaticClassInfo())
          .Creatable()
          .Int("Min", &TTrackBar::Min, &TTrackBar::SetMin, 0)
          .Int("Max", &TTrackBar::Max, &TTrackBar::SetMax, 10)
          .Int("Position", &TTrackBar::Position, &TTrackBar::SetPosition, 0)
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

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
  clickOnMouseUp_ = false;  // the control reports its own moves
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.sysClassName = TRACKBAR_CLASSW;
  if (orientation_ == TTrackBarOrientation::trVertical) p.style |= TBS_VERT;
  switch (tickStyle_) {
    case TTickStyle::tsNone:
      p.style |= TBS_NOTICKS;
      break;
    case TTickStyle::tsAuto:
      p.style |= TBS_AUTOTICKS;
      break;
    default:
      break;
  }
  if (tickMarks_ == TTickMark::tmTopLeft) p.style |= TBS_TOP;
  else if (tickMarks_ == TTickMark::tmBoth) p.style |= TBS_BOTH;
}

void TTrackBar::CreateWnd() {
  TWinControl::CreateWnd();
  ApplySettings();
}

void TTrackBar::ApplySettings() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  SendMessageW(h, TBM_SETRANGEMIN, FALSE, LPARAM(range_.Min()));
  SendMessageW(h, TBM_SETRANGEMAX, FALSE, LPARAM(range_.Max()));
  SendMessageW(h, TBM_SETLINESIZE, 0, LPARAM(lineSize_));
  SendMessageW(h, TBM_SETPAGESIZE, 0, LPARAM(pageSize_));
  SendMessageW(h, TBM_SETTICFREQ, WPARAM(frequency_), 0);
  SendMessageW(h, TBM_SETPOS, TRUE, LPARAM(range_.Position()));
}

int TTrackBar::Position() const {
  if (HWND h = HandleIfAllocated()) return int(SendMessageW(h, TBM_GETPOS, 0, 0));
  return range_.Position();
}

void TTrackBar::SetMin(int v) {
  SyncPosition();
  range_.SetMin(v);
  ApplySettings();
}

void TTrackBar::SetMax(int v) {
  SyncPosition();
  range_.SetMax(v);
  ApplySettings();
}

void TTrackBar::SetPosition(int v) {
  range_.SetPosition(v);
  if (HWND h = HandleIfAllocated()) SendMessageW(h, TBM_SETPOS, TRUE, LPARAM(range_.Position()));
}

void TTrackBar::SetLineSize(int v) {
  lineSize_ = v;
  ApplySettings();
}

void TTrackBar::SetPageSize(int v) {
  pageSize_ = v;
  ApplySettings();
}

void TTrackBar::SetFrequency(int v) {
  frequency_ = std::max(v, 1);
  ApplySettings();
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
    const int now = Position();
    if (now != range_.Position()) {
      range_.SetPosition(now);
      OnChange(this);
    }
    return;
  }
  TWinControl::WndProc(m);
}

}  // namespace bus
