// Stand-alone scroll bars: a superclassed native SCROLLBAR, horizontal or vertical (Kind). The
// thumb stands at Position between Min and Max; with a PageSize the thumb is that long and Position
// goes up to Max - PageSize + 1. The arrows move by SmallChange, the track and Page Up / Down by
// LargeChange.
//
// A user's scroll first fires OnScroll with the scroll code and the position it leads to (the
// handler may change it), then, when the position changed, OnChange. Setting Position from code
// fires neither.
//
// This is the stand-alone scroll bar kind of the skin's control selection: TScrollBar and every
// class derived from it.
#pragma once

#include "framework/controls/RangeControl.h"

namespace bus {

enum class TScrollBarKind { sbHorizontal, sbVertical };
enum class TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };

// (Sender, ScrollCode, ScrollPos)
using TScrollEvent = TEvent<TObject*, TScrollCode, int&>;

class TScrollBar : public TRangeControl {
  BUS_CLASS(TScrollBar)
public:
  explicit TScrollBar(TComponent* owner);

  // Set before the window is made (a later change makes the window again, swapping width and height).
  TScrollBarKind Kind() const noexcept { return kind_; }
  void SetKind(TScrollBarKind v);
  // The thumb's length in positions; 0: a thumb of the usual size.
  int PageSize() const noexcept { return range_.Page(); }
  void SetPageSize(int v);
  int SmallChange() const noexcept { return smallChange_; }
  void SetSmallChange(int v) noexcept { smallChange_ = v; }
  int LargeChange() const noexcept { return largeChange_; }
  void SetLargeChange(int v) noexcept { largeChange_ = v; }
  // The highest position the thumb can reach.
  int MaxPosition() const noexcept { return range_.Last(); }

  TScrollEvent OnScroll;  // published
  TNotifyEvent OnChange;  // published

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void ApplyRange() override;

private:
  void CnScroll(TMessage& m);

  TScrollBarKind kind_ = TScrollBarKind::sbHorizontal;  // direction
  int smallChange_ = 1;   // arrow step
  int largeChange_ = 1;   // page step
};

}  // namespace bus
