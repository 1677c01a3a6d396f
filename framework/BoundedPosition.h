// A position kept between two limits, as range controls hold it (progress bars, track bars,
// up-down controls, scroll bars). A new limit moves the other one along when the two would cross,
// and the position stays inside. With a page (a scroll bar's thumb length) the position goes up to
// Max - Page + 1 only.
#pragma once

#include <algorithm>

namespace bus {

class TBoundedPosition {
public:
  TBoundedPosition(int min, int max) noexcept : min_(min), max_(std::max(min, max)) { position_ = Clamp(0); }

  int Min() const noexcept { return min_; }
  int Max() const noexcept { return max_; }
  int Position() const noexcept { return position_; }
  int Page() const noexcept { return page_; }
  // The highest position: Max, less the page's length beyond one.
  int Last() const noexcept { return std::max(min_, max_ - std::max(page_ - 1, 0)); }

  void SetMin(int v) noexcept {
    min_ = v;
    max_ = std::max(max_, v);
    Settle();
  }
  void SetMax(int v) noexcept {
    max_ = v;
    min_ = std::min(min_, v);
    Settle();
  }
  // Values outside the range stop at its ends.
  void SetPosition(int v) noexcept { position_ = Clamp(v); }
  // From 0 up to the whole range.
  void SetPage(int v) noexcept {
    page_ = std::clamp(v, 0, max_ - min_ + 1);
    Settle();
  }
  // v moved inside Min .. Last.
  int Clamp(int v) const noexcept { return std::clamp(v, min_, Last()); }

private:
  void Settle() noexcept {
    page_ = std::min(page_, max_ - min_ + 1);
    position_ = Clamp(position_);
  }

  int min_;           // lower limit
  int max_;           // upper limit, at least min_
  int position_ = 0;  // min_ .. Last()
  int page_ = 0;      // thumb length in positions; 0: none
};

}  // namespace bus
