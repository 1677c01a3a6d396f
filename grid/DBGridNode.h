// A row of the database grid: the record's position in dataset order when it was loaded, and the
// grouping and summary values (kept only when used).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "grid/DBTreeListControlNode.h"

namespace bus {

class TrgDBGridNode : public TrgDBTreeListControlNode {
public:
  explicit TrgDBGridNode(TrgNodeTree* grid) : TrgDBTreeListControlNode(grid) {}

  // The record's position in dataset order at load time, counted from 0.
  std::int32_t LoadIndex() const noexcept { return loadIndex_; }
  void SetLoadIndex(std::int32_t v) noexcept { loadIndex_ = v; }

  const Variant& GroupValue() const noexcept;
  void SetGroupValue(Variant v);
  const Variant& SummaryValue() const noexcept;
  void SetSummaryValue(Variant v);
  // Per-column summary values of a group node.
  std::vector<Variant>& SummaryList();

private:
  struct Extras {
    Variant group;                // grouping column value
    Variant summary;              // group summary
    std::vector<Variant> list;    // per-column summaries
  };
  Extras& Extra();

  std::int32_t loadIndex_ = 0;     // dataset order at load
  std::unique_ptr<Extras> extras_;  // made on first use
};

}  // namespace bus
