// Track bars: a superclassed native track bar (msctls_trackbar32): a thumb the user drags or moves
// with the keys between Min and Max, with tick marks every Frequency positions. OnChange fires when
// the user moves the thumb, after Position shows the new place; setting Position from code fires
// nothing. The control's custom-draw notifications come back to it as CN_NOTIFY.
#pragma once

#include "framework/controls/RangeControl.h"

namespace bus {

enum class TTrackBarOrientation { trHorizontal, trVertical };
enum class TTickStyle { tsNone, tsAuto, tsManual };
enum class TTickMark { tmBottomRight, tmTopLeft, tmBoth };

class TTrackBar : public TRangeControl {
  BUS_CLASS(TTrackBar)
public:
  explicit TTrackBar(TComponent* owner);

  int Position() const override;
  // Keys: arrows move by LineSize, Page Up and Down by PageSize.
  int LineSize() const noexcept { return lineSize_; }
  void SetLineSize(int v);
  int PageSize() const noexcept { return pageSize_; }
  void SetPageSize(int v);
  // Tick marks every Frequency positions (TickStyle tsAuto).
  int Frequency() const noexcept { return frequency_; }
  void SetFrequency(int v);
  // These three are set before the window is made (a later change makes the window again).
  TTrackBarOrientation Orientation() const noexcept { return orientation_; }
  void SetOrientation(TTrackBarOrientation v);
  TTickStyle TickStyle() const noexcept { return tickStyle_; }
  void SetTickStyle(TTickStyle v);
  TTickMark TickMarks() const noexcept { return tickMarks_; }
  void SetTickMarks(TTickMark v);

  TNotifyEvent OnChange;  // published

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void ApplyRange() override;

private:
  int lineSize_ = 1;     // arrow key step
  int pageSize_ = 2;     // page key step
  int frequency_ = 1;    // tick spacing
  TTrackBarOrientation orientation_ = TTrackBarOrientation::trHorizontal;  // direction
  TTickStyle tickStyle_ = TTickStyle::tsAuto;         // which ticks
  TTickMark tickMarks_ = TTickMark::tmBottomRight;    // where the ticks are
};

}  // namespace bus
