#include "grid/TreeListNode.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "core/UpdateBatch.h"
#include "grid/NodeTree.h"
#include "grid/TreeListError.h"

namespace bus {

namespace {
const std::vector<TrgTreeListNode*> kNoChildren;
}  // namespace

TrgTreeListNode::TrgTreeListNode(TrgNodeTree* grid) : grid_(grid) {
  if (!grid) throw EInvalidrgTreeListOperation("Invalid Owner TrgTreeListNode");
}

TrgTreeListNode::~TrgTreeListNode() {
  // only reached through Free() (children already gone) or the tree's own teardown
  if (children_)
    for (TrgTreeListNode* child : *children_) delete child;
}

const std::vector<TrgTreeListNode*>& TrgTreeListNode::Children() const noexcept {
  return children_ ? *children_ : kNoChildren;
}

std::vector<TrgTreeListNode*>& TrgTreeListNode::OwnerList() const noexcept {
  return parent_ ? *parent_->children_ : grid_->roots_;
}

TrgTreeListNode* TrgTreeListNode::Child(int index) const noexcept {
  return index >= 0 && index < ChildCount() ? (*children_)[std::size_t(index)] : nullptr;
}

int TrgTreeListNode::SiblingIndex() const noexcept {
  if (!attached_) return -1;
  const auto& list = OwnerList();
  // the last sibling is the common question while loading: look there first
  if (!list.empty() && list.back() == this) return int(list.size()) - 1;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : int(it - list.begin());
}

int TrgTreeListNode::Depth() const noexcept {
  int depth = 0;
  for (const TrgTreeListNode* p = parent_; p; p = p->parent_) ++depth;
  return depth;
}

bool TrgTreeListNode::IsLastSibling() const noexcept { return attached_ && OwnerList().back() == this; }

bool TrgTreeListNode::IsDisplayed() const noexcept {
  if (!attached_) return false;
  for (const TrgTreeListNode* p = parent_; p; p = p->parent_)
    if (!p->expanded_) return false;
  return true;
}

TrgTreeListNode* TrgTreeListNode::NextSibling() const noexcept {
  const int i = SiblingIndex();
  if (i < 0) return nullptr;
  const auto& list = OwnerList();
  return std::size_t(i) + 1 < list.size() ? list[std::size_t(i) + 1] : nullptr;
}

TrgTreeListNode* TrgTreeListNode::PrevSibling() const noexcept {
  const int i = SiblingIndex();
  return i > 0 ? OwnerList()[std::size_t(i) - 1] : nullptr;
}

TrgTreeListNode* TrgTreeListNode::NextDisplayed() const noexcept {
  if (expanded_ && HasChildren()) return children_->front();
  for (const TrgTreeListNode* n = this; n; n = n->parent_)
    if (TrgTreeListNode* next = n->NextSibling()) return next;
  return nullptr;
}

TrgTreeListNode* TrgTreeListNode::LastDisplayedDescendant() const noexcept {
  const TrgTreeListNode* n = this;
  while (n->expanded_ && n->HasChildren()) n = n->children_->back();
  return const_cast<TrgTreeListNode*>(n);
}

TrgTreeListNode* TrgTreeListNode::PrevDisplayed() const noexcept {
  if (TrgTreeListNode* prev = PrevSibling()) return prev->LastDisplayedDescendant();
  return parent_;
}

int TrgTreeListNode::AbsoluteIndex() const { return grid_->AbsoluteIndex(this); }

bool TrgTreeListNode::HasAsAncestor(const TrgTreeListNode* node) const noexcept {
  for (const TrgTreeListNode* p = parent_; p; p = p->parent_)
    if (p == node) return true;
  return false;
}

bool TrgTreeListNode::HasFocus() const noexcept { return grid_->FocusedNode() == this; }

void TrgTreeListNode::TakeFocus() { grid_->FocusNodeByCode(this); }

bool TrgTreeListNode::Expand(bool recurse) {
  if (!expanded_) {
    if (!grid_->CanExpand(this)) return false;
    expanded_ = true;
    grid_->InvalidateIndex();
    grid_->ExpansionChanged(this);
  }
  if (recurse && children_)
    for (TrgTreeListNode* child : std::vector<TrgTreeListNode*>(*children_)) child->Expand(true);
  return true;
}

bool TrgTreeListNode::Collapse(bool recurse) {
  if (recurse && children_)
    for (TrgTreeListNode* child : std::vector<TrgTreeListNode*>(*children_)) child->Collapse(true);
  if (expanded_) {
    if (!grid_->CanCollapse(this)) return false;
    expanded_ = false;
    grid_->InvalidateIndex();
    grid_->ExpansionChanged(this);
  }
  return true;
}

void TrgTreeListNode::BringIntoView() { grid_->MakeNodeVisible(this); }

void TrgTreeListNode::DeleteNode() { grid_->DeleteNodeRequest(this); }

void TrgTreeListNode::Detach() {
  if (!attached_) return;
  const int position = grid_->NodeDetaching(this);
  auto& list = OwnerList();
  if (!list.empty() && list.back() == this) list.pop_back();
  else list.erase(std::find(list.begin(), list.end(), this));
  attached_ = false;
  if (TrgTreeListNode* parent = std::exchange(parent_, nullptr); parent && parent->children_->empty()) {
    parent->children_.reset();
    parent->expandable_ = grid_->HasUnloadedChildren(parent);
    parent->expanded_ = false;
  }
  grid_->NodeDetached(position);
}

void TrgTreeListNode::Attach(TrgTreeListNode* target, TrgNodeAttachMode mode) {
  std::vector<TrgTreeListNode*>* list = &grid_->roots_;
  TrgTreeListNode* parent = nullptr;
  std::size_t at = list->size();
  if (target) {
    switch (mode) {
      case TrgNodeAttachMode::AddLast:
      case TrgNodeAttachMode::AddFirst:
      case TrgNodeAttachMode::InsertBefore:
        parent = target->parent_;
        list = &target->OwnerList();
        at = mode == TrgNodeAttachMode::AddLast ? list->size()
             : mode == TrgNodeAttachMode::AddFirst ? 0
                                                    : std::size_t(target->SiblingIndex());
        break;
      case TrgNodeAttachMode::AddChildLast:
      case TrgNodeAttachMode::AddChildFirst:
        parent = target;
        if (!target->children_) target->children_ = std::make_unique<std::vector<TrgTreeListNode*>>();
        list = target->children_.get();
        at = mode == TrgNodeAttachMode::AddChildLast ? list->size() : 0;
        break;
    }
  } else if (mode == TrgNodeAttachMode::AddFirst || mode == TrgNodeAttachMode::AddChildFirst) {
    at = 0;
  }
  list->insert(list->begin() + std::ptrdiff_t(at), this);
  parent_ = parent;
  attached_ = true;
  grid_->NodeAttached(this);
}

void TrgTreeListNode::Reattach(TrgTreeListNode* target, TrgNodeAttachMode mode) {
  if (!target) throw EInvalidrgTreeListOperation("cannot move a node: no target node");
  const bool childOrInsert = mode == TrgNodeAttachMode::AddChildLast || mode == TrgNodeAttachMode::AddChildFirst ||
                             mode == TrgNodeAttachMode::InsertBefore;
  if (target == this && childOrInsert) throw EInvalidrgTreeListOperation("cannot move a node onto itself");
  if (target->HasAsAncestor(this)) throw EInvalidrgTreeListOperation("cannot move a node into its own subtree");
  if (target->grid_ != grid_) throw EInvalidrgTreeListOperation("cannot move a node into another grid");
  UpdateBatch batch(*grid_);
  Detach();
  Attach(target, mode);
}

void TrgTreeListNode::Free() {
  if (beingDestroyed_) return;
  beingDestroyed_ = true;
  TrgNodeTree* const grid = grid_;
  while (children_ && !children_->empty()) children_->front()->Free();
  TrgTreeListNode* before = PrevSibling();
  if (!before) before = parent_;
  TrgTreeListNode* const after = NextDisplayed();
  const bool displayed = IsDisplayed();
  Detach();
  std::unique_ptr<TrgTreeListNode> going(this);  // also when a handler below fails
  grid->NodeDestroyed(this, before, after, displayed);
}

}  // namespace bus
