#include "grid/VisibleOrderIndex.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "grid/TreeListError.h"
#include "grid/TreeListNode.h"

namespace bus {

namespace {
constexpr std::less<const TrgTreeListNode*> kByAddress{};
}  // namespace

void TrgVisibleOrderIndex::Rebuild(const std::vector<TrgTreeListNode*>& roots) {
  order_.clear();
  order_.reserve(roots.size());
  // depth first over the expanded nodes, without recursion
  std::vector<std::pair<const std::vector<TrgTreeListNode*>*, std::size_t>> stack;
  stack.emplace_back(&roots, 0);
  while (!stack.empty()) {
    auto& top = stack.back();
    if (top.second == top.first->size()) {
      stack.pop_back();
      continue;
    }
    TrgTreeListNode* node = (*top.first)[top.second++];
    order_.push_back(node);
    if (node->IsExpanded() && node->HasChildren()) stack.emplace_back(&node->Children(), 0);
  }
  std::vector<std::pair<TrgTreeListNode*, int>> pairs;
  pairs.reserve(order_.size());
  for (std::size_t i = 0; i < order_.size(); ++i) pairs.emplace_back(order_[i], int(i));
  std::sort(pairs.begin(), pairs.end(), [](const auto& a, const auto& b) { return kByAddress(a.first, b.first); });
  byAddress_.resize(pairs.size());
  positions_.resize(pairs.size());
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    byAddress_[i] = pairs[i].first;
    positions_[i] = pairs[i].second;
  }
  valid_ = true;
}

int TrgVisibleOrderIndex::IndexOf(const TrgTreeListNode* node) const noexcept {
  auto it = std::lower_bound(byAddress_.begin(), byAddress_.end(), node, kByAddress);
  if (it == byAddress_.end() || *it != node) return -1;
  return positions_[std::size_t(it - byAddress_.begin())];
}

TrgTreeListNode* TrgVisibleOrderIndex::At(int position) const noexcept {
  return position >= 0 && position < Count() ? order_[std::size_t(position)] : nullptr;
}

void TrgVisibleOrderIndex::PatchInsert(TrgTreeListNode* node, int position) {
  if (position < 0 || position > Count())
    throw EInvalidrgTreeListOperation("row " + std::to_string(position) + " is outside the index");
  for (int& p : positions_)
    if (p >= position) ++p;
  order_.insert(order_.begin() + position, node);
  auto it = std::lower_bound(byAddress_.begin(), byAddress_.end(), node, kByAddress);
  const auto at = it - byAddress_.begin();
  byAddress_.insert(it, node);
  positions_.insert(positions_.begin() + at, position);
}

void TrgVisibleOrderIndex::PatchRemove(int position) {
  if (position < 0 || position >= Count())
    throw EInvalidrgTreeListOperation("row " + std::to_string(position) + " is outside the index");
  TrgTreeListNode* node = order_[std::size_t(position)];
  order_.erase(order_.begin() + position);
  auto it = std::lower_bound(byAddress_.begin(), byAddress_.end(), node, kByAddress);
  const auto at = it - byAddress_.begin();
  byAddress_.erase(it);
  positions_.erase(positions_.begin() + at);
  for (int& p : positions_)
    if (p > position) --p;
}

std::size_t TrgVisibleOrderIndex::MemoryBytes() const noexcept {
  return order_.capacity() * sizeof(TrgTreeListNode*) + byAddress_.capacity() * sizeof(TrgTreeListNode*) +
         positions_.capacity() * sizeof(int);
}

}  // namespace bus
