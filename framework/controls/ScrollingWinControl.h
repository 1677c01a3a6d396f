// Containers that scroll their contents: scroll boxes and frames. Each direction has a scroll bar
// (HorzScrollBar, VertScrollBar) with the extent of the contents (Range) and the part of it the
// view starts at (Position). With AutoScroll the ranges are measured from the children (aligned
// children excepted) whenever the children are arranged; a bar shows while its range is larger
// than the client area. Scrolling moves the children; their positions are the ones seen, so a
// description written at a scrolled position stores where the children then stand.
//
// TScrollingWinControl and every class derived from it are containers; the scroll box kind of the
// skin's control selection is TScrollBox, the frame kind TCustomFrame.
#pragma once

#include "framework/Persistent.h"
#include "framework/controls/ScrollBar.h"
#include "framework/controls/WinControl.h"

namespace bus {

class TScrollingWinControl;

class TControlScrollBar : public TPersistent {
  BUS_CLASS(TControlScrollBar)
public:
  TControlScrollBar(TScrollingWinControl& control, TScrollBarKind kind) : control_(control), kind_(kind) {}

  TScrollBarKind Kind() const noexcept { return kind_; }
  // The contents' extent in pixels (measured by AutoScroll, else as set).
  int Range() const noexcept { return range_; }
  void SetRange(int v);
  // The first pixel of the contents in view; setting it scrolls, within 0 .. Range - client size.
  int Position() const noexcept { return position_; }
  void SetPosition(int v);
  // The arrows' step in pixels.
  int Increment() const noexcept { return increment_; }
  void SetIncrement(int v) noexcept { increment_ = v < 1 ? 1 : v; }
  // The bar may show at all.
  bool Visible() const noexcept { return visible_; }
  void SetVisible(bool v);
  // The bar shows now: it may, and the range is larger than the client area.
  bool IsScrollBarVisible() const;

private:
  friend class TScrollingWinControl;
  // The client area's extent along the bar.
  int ClientExtent() const;
  // The largest position the view may take.
  int MaxPosition() const;
  // Hands range, page and position to the window's scroll bar.
  void Apply();
  // A scroll message of the window's bar: the new position.
  void Scroll(WORD code);

  TScrollingWinControl& control_;  // holder
  TScrollBarKind kind_;            // which of the two
  int range_ = 0;                  // contents' extent
  int position_ = 0;               // view's start
  int increment_ = 8;              // line step
  bool visible_ = true;            // may show
};

class TScrollingWinControl : public TWinControl {
  BUS_CLASS(TScrollingWinControl)
public:
  explicit TScrollingWinControl(TComponent* owner);
  ~TScrollingWinControl() override;

  bool AutoScroll() const noexcept { return autoScroll_; }
  // Switching it off sets both ranges to 0 (set them for scroll bars of one's own).
  void SetAutoScroll(bool v);
  TControlScrollBar* HorzScrollBar() const noexcept { return horz_.get(); }
  TControlScrollBar* VertScrollBar() const noexcept { return vert_.get(); }
  // Moves every child by (dx, dy) pixels.
  void ScrollBy(int dx, int dy);
  // Measures the ranges (AutoScroll) and shows the scroll bars that are needed.
  void UpdateScrollBars();

  void WndProc(TMessage& message) override;

protected:
  void CreateWnd() override;
  void Aligned() override;

private:
  std::unique_ptr<TControlScrollBar> horz_;  // left and right
  std::unique_ptr<TControlScrollBar> vert_;  // up and down
  bool autoScroll_ = true;                   // ranges measured from the children
  bool updatingBars_ = false;                // UpdateScrollBars is running (bars change the client size)
};

}  // namespace bus
