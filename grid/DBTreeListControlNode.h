// A node bound to a dataset record: the record's key value, a preview text, and the values of the
// columns whose value is kept besides the text (numbers, dates, Booleans; nulls of text fields).
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/data/Variant.h"
#include "grid/TreeListTextNode.h"

namespace bus {

class TrgDBTreeListControlNode : public TrgTreeListTextNode {
public:
  explicit TrgDBTreeListControlNode(TrgNodeTree* grid) : TrgTreeListTextNode(grid) {}

  // The record's key field value; empty: the node has no key; null: the record's key is null.
  const Variant& KeyValue() const noexcept { return keyValue_; }
  void SetKeyValue(Variant v) { keyValue_ = std::move(v); }

  const std::string& PreviewText() const noexcept;
  void SetPreviewText(const std::string& text);

  // The stored value of a column, or null when the column keeps none.
  const Variant* Value(int column) const noexcept;
  void SetValue(int column, Variant value);
  void ClearValues() noexcept { values_.reset(); }

private:
  Variant keyValue_;                                             // key field value
  std::unique_ptr<std::string> preview_;                         // preview text, made when set
  std::unique_ptr<std::vector<std::pair<int, Variant>>> values_;  // (column, value), by column; made when needed
};

}  // namespace bus
