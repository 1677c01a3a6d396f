#include "grid/DBTreeListControlNode.h"

#include <algorithm>

namespace bus {

const std::string& TrgDBTreeListControlNode::PreviewText() const noexcept {
  static const std::string kEmpty;
  return preview_ ? *preview_ : kEmpty;
}

void TrgDBTreeListControlNode::SetPreviewText(const std::string& text) {
  if (text.empty()) preview_.reset();
  else if (preview_) *preview_ = text;
  else preview_ = std::make_unique<std::string>(text);
}

const Variant* TrgDBTreeListControlNode::Value(int column) const noexcept {
  if (!values_) return nullptr;
  auto it = std::lower_bound(values_->begin(), values_->end(), column,
                             [](const auto& entry, int c) { return entry.first < c; });
  return it != values_->end() && it->first == column ? &it->second : nullptr;
}

void TrgDBTreeListControlNode::SetValue(int column, Variant value) {
  if (!values_) values_ = std::make_unique<std::vector<std::pair<int, Variant>>>();
  auto it = std::lower_bound(values_->begin(), values_->end(), column,
                             [](const auto& entry, int c) { return entry.first < c; });
  if (it != values_->end() && it->first == column) it->second = std::move(value);
  else values_->emplace(it, column, std::move(value));
}

}  // namespace bus
