// Ordering of the grid's rows by a column: the sort value of each node (the display text for text
// columns, the stored value otherwise), the comparison with its key tie-break, and a quicksort that
// stays within its range whatever the comparison answers (values that cannot be compared order as
// smaller both ways round, so the comparison is not a strict order and sorting must not rely on
// one).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/data/Variant.h"

namespace bus {

class TrgTreeListNode;

struct TrgSortSettings {
  int column = -1;             // column index whose texts or values order the rows
  bool descending = false;     // csDown: the result of the value comparison is negated
  bool stringValues = true;    // the column's value type is text: compare display texts
  bool caseInsensitive = false;  // texts compared after upper-casing (upperCase)
  bool ansiSort = false;       // texts compared with the locale's collation (collate)
  // The grid's OnCompare: a non-zero answer decides; 0 goes on to the key tie-break.
  std::function<int(TrgTreeListNode*, TrgTreeListNode*)> compare;
  // The locale's case-sensitive collation (<0, 0, >0); byte order when empty.
  std::function<int(std::string_view, std::string_view)> collate;
  // The system's upper-casing of text; ASCII upper-casing when empty.
  std::function<std::string(std::string_view)> upperCase;
};

// One row as the sort sees it.
struct TrgSortEntry {
  TrgTreeListNode* node = nullptr;
  std::string_view text;           // sort text (text columns)
  std::uint64_t prefix = 0;        // its first 8 bytes, big-endian, zero-padded: most comparisons end here
  const Variant* value = nullptr;  // sort value (other columns); null: none stored
  const Variant* key = nullptr;    // the node's key value; null: none
};

// <0, 0 or >0: the order of a and b.
int CompareSortEntries(const TrgSortEntry& a, const TrgSortEntry& b, const TrgSortSettings& settings);

// Sorts nodes (any node class; nodes without texts, values or keys give empty ones) by the
// settings. Fewer than two nodes: nothing happens.
void SortNodes(std::vector<TrgTreeListNode*>& nodes, const TrgSortSettings& settings);

}  // namespace bus
