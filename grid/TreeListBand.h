// A band of the grid's header: a group of columns with its own caption and width. The main
// window's grid has exactly one band, hidden, as wide as its columns together.
//
// Not built yet (published and stored, they change nothing): DisableCustomizing, DisableDragging,
// Fixed, OnlyOwnColumns.
#pragma once

#include <string>

#include "framework/Collection.h"
#include "framework/Types.h"
#include "grid/GridOptions.h"

namespace bus {

class TrgTreeListBand : public TCollectionItem {
  BUS_CLASS(TrgTreeListBand)
public:
  explicit TrgTreeListBand(TCollection* collection) : TCollectionItem(collection) {}

  TAlignment Alignment() const noexcept { return alignment_; }
  void SetAlignment(TAlignment v) { Set(alignment_, v); }
  const std::string& Caption() const noexcept { return caption_; }
  void SetCaption(const std::string& v) { Set(caption_, v); }
  bool DisableCustomizing() const noexcept { return disableCustomizing_; }
  void SetDisableCustomizing(bool v) noexcept { disableCustomizing_ = v; }
  bool DisableDragging() const noexcept { return disableDragging_; }
  void SetDisableDragging(bool v) noexcept { disableDragging_ = v; }
  TrgBandFixed Fixed() const noexcept { return fixed_; }
  void SetFixed(TrgBandFixed v) { Set(fixed_, v); }
  int MinWidth() const noexcept { return minWidth_; }
  // Negative values count as 0; the width is re-applied.
  void SetMinWidth(int v);
  bool OnlyOwnColumns() const noexcept { return onlyOwnColumns_; }
  void SetOnlyOwnColumns(bool v) noexcept { onlyOwnColumns_ = v; }
  bool Sizing() const noexcept { return sizing_; }
  void SetSizing(bool v) { Set(sizing_, v); }
  bool Visible() const noexcept { return visible_; }
  void SetVisible(bool v) { Set(visible_, v); }
  // The band's own width (used when it does not follow its columns); never below MinWidth.
  int Width() const noexcept { return width_; }
  void SetWidth(int v);

private:
  template <class T>
  void Set(T& field, const T& v) {
    if (field == v) return;
    field = v;
    Changed();
  }

  TAlignment alignment_ = TAlignment::taCenter;  // caption alignment
  std::string caption_;                          // band header text
  bool disableCustomizing_ = false;              // stored only
  bool disableDragging_ = false;                 // stored only
  TrgBandFixed fixed_ = TrgBandFixed::bfNone;    // stored only
  int minWidth_ = 30;                            // smallest width
  bool onlyOwnColumns_ = false;                  // stored only
  bool sizing_ = true;                           // the user may resize the band
  bool visible_ = true;                          // shown with its columns
  int width_ = 250;                              // own width
};

}  // namespace bus
