#include "grid/NodeTree.h"

#include <algorithm>
#include <memory>
#include <string>

#include "core/ScopeExit.h"
#include "core/UpdateBatch.h"
#include "grid/TreeListError.h"

namespace bus {

namespace {
void DeleteSubtree(TrgTreeListNode* node) { delete node; }  // the node's destructor frees its children
}  // namespace

TrgNodeTree::~TrgNodeTree() {
  for (TrgTreeListNode* node : roots_) DeleteSubtree(node);
  roots_.clear();
}

TrgTreeListNode* TrgNodeTree::CreateNode() { return new TrgTreeListNode(this); }

TrgTreeListNode* TrgNodeTree::Items(int index) const {
  if (index < 0 || index >= Count())
    throw EInvalidrgTreeListOperation("node index " + std::to_string(index) + " out of range");
  return roots_[std::size_t(index)];
}

TrgTreeListNode* TrgNodeTree::AddNode(TrgTreeListNode* target, TrgNodeAttachMode mode) {
  if (target && target->Grid() != this) throw EInvalidrgTreeListOperation("the target node belongs to another grid");
  std::unique_ptr<TrgTreeListNode> node(CreateNode());
  node->Attach(target, mode);
  NodesChanged();
  return node.release();
}

void TrgNodeTree::FreeSubtreeWholesale(TrgTreeListNode* node) {
  node->beingDestroyed_ = true;
  std::unique_ptr<TrgTreeListNode> going(node);  // goes whatever its handlers do
  if (std::unique_ptr<std::vector<TrgTreeListNode*>> children = std::move(node->children_)) FreeWholesale(*children);
  DoDeletion(node);
}

void TrgNodeTree::FreeWholesale(const std::vector<TrgTreeListNode*>& nodes) {
  std::size_t i = 0;
  // after a failing handler the rest of the nodes still go, without further handlers
  ScopeFailure rest([&] {
    for (++i; i < nodes.size(); ++i) DeleteSubtree(nodes[i]);
  });
  for (; i < nodes.size(); ++i) FreeSubtreeWholesale(nodes[i]);
}

void TrgNodeTree::ClearNodes() {
  ++generation_;
  focused_ = top_ = anchor_ = nullptr;
  std::vector<TrgTreeListNode*> roots = std::move(roots_);
  roots_.clear();
  index_.Invalidate();
  clearing_ = true;
  ScopeExit cleared([this] {
    clearing_ = false;
    NodesChanged();
  });
  FreeWholesale(roots);
}

void TrgNodeTree::EnsureIndex() {
  if (!index_.Valid()) index_.Rebuild(roots_);
}

int TrgNodeTree::AbsoluteCount() {
  EnsureIndex();
  return index_.Count();
}

int TrgNodeTree::AbsoluteIndex(const TrgTreeListNode* node) {
  if (!node) return -1;
  EnsureIndex();
  return index_.IndexOf(node);
}

TrgTreeListNode* TrgNodeTree::AbsoluteItems(int index) {
  EnsureIndex();
  return index_.At(index);
}

TrgTreeListNode* TrgNodeTree::LastDisplayed() const noexcept {
  return roots_.empty() ? nullptr : roots_.back()->LastDisplayedDescendant();
}

void TrgNodeTree::BeginUpdate() {
  ++lockCount_;
  UpdateStarted();
}

void TrgNodeTree::EndUpdate() {
  if (lockCount_ == 0) return;
  if (--lockCount_ == 0) LayoutChanged();
}

void TrgNodeTree::ReorderRoots(std::vector<TrgTreeListNode*> order) {
  if (order.size() != roots_.size()) throw EInvalidrgTreeListOperation("a new order must hold every node once");
  roots_ = std::move(order);
  index_.Invalidate();
  NodesChanged();
}

std::size_t TrgNodeTree::ListMemoryBytes() const noexcept {
  return roots_.capacity() * sizeof(TrgTreeListNode*) + index_.MemoryBytes();
}

void TrgNodeTree::MakeNodeVisible(TrgTreeListNode* node) {
  if (!node || node->Grid() != this) return;
  bool collapsed = false;
  for (TrgTreeListNode* p = node->ParentNode(); p; p = p->ParentNode()) collapsed |= !p->IsExpanded();
  if (collapsed) {
    UpdateBatch batch(*this);
    for (TrgTreeListNode* p = node->ParentNode(); p; p = p->ParentNode())
      if (!p->IsExpanded()) p->Expand();
  }
  const int n = AbsoluteIndex(node);
  if (n < 0) return;
  const int t = top_ ? std::max(AbsoluteIndex(top_), 0) : 0;
  const int rows = std::max(VisibleRowCount(), 1);
  if (n < t) SetTopIndex(n);
  else if (n > t + rows - 1) SetTopIndex(n - rows + 1);
}

void TrgNodeTree::NodeAttached(TrgTreeListNode* node) {
  if (lockCount_ > 0 || !index_.Valid() || (node->IsExpanded() && node->HasChildren())) {
    index_.Invalidate();
    return;
  }
  if (!node->IsDisplayed()) return;
  TrgTreeListNode* prev = node->PrevDisplayed();
  const int position = prev ? index_.IndexOf(prev) + 1 : 0;
  if (prev && position == 0) {  // the previous node is missing from the index: it is stale
    index_.Invalidate();
    return;
  }
  index_.PatchInsert(node, position);
}

int TrgNodeTree::NodeDetaching(TrgTreeListNode* node) {
  if (lockCount_ > 0 || clearing_ || !index_.Valid() || (node->IsExpanded() && node->HasChildren())) {
    index_.Invalidate();
    return -1;
  }
  return node->IsDisplayed() ? index_.IndexOf(node) : -1;
}

void TrgNodeTree::NodeDetached(int position) {
  if (position >= 0 && index_.Valid()) index_.PatchRemove(position);
}

void TrgNodeTree::NodeDestroyed(TrgTreeListNode* node, TrgTreeListNode* before, TrgTreeListNode* after,
                                bool displayed) {
  DoDeletion(node);
  DeselectNode(node);
  TrgTreeListNode* const replacement = before ? before : after;
  if (top_ == node) top_ = replacement;
  if (focused_ == node) focused_ = replacement;
  if (anchor_ == node) anchor_ = replacement;
  if (roots_.empty()) {
    top_ = focused_ = anchor_ = nullptr;
    ResetScrollState();
  }
  NodesChanged();
  if (displayed) DisplayedNodeRemoved();
}

}  // namespace bus
