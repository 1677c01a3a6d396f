// The grid's node model: the root list of top-level nodes, the visible-order index, the focused
// and top nodes, the selection anchor and update batching. The grid control derives from it and
// supplies the window side through the virtual hooks; the model itself needs no window, so it is
// built and tested on every platform.
//
// Update batching: BeginUpdate/EndUpdate nest; when the outermost EndUpdate ends, LayoutChanged
// runs once. Inside a batch, adding or removing nodes only marks the visible-order index stale (it
// is rebuilt on the next question); outside one, adding or removing a single displayed node
// patches it in place.
#pragma once

#include <cstddef>
#include <vector>

#include "grid/TreeListNode.h"
#include "grid/VisibleOrderIndex.h"

namespace bus {

class TrgNodeTree {
public:
  TrgNodeTree() = default;
  // Frees every node (without the deletion hooks: the derived grid is gone by then; a grid that
  // wants OnDeletion for its nodes clears them in its own teardown).
  virtual ~TrgNodeTree();
  TrgNodeTree(const TrgNodeTree&) = delete;
  TrgNodeTree& operator=(const TrgNodeTree&) = delete;

  // --- Top-level nodes ------------------------------------------------------------------------
  int Count() const noexcept { return int(roots_.size()); }
  // Top-level node i; throws EInvalidrgTreeListOperation outside 0 .. Count() − 1.
  TrgTreeListNode* Items(int index) const;
  const std::vector<TrgTreeListNode*>& RootList() const noexcept { return roots_; }

  // Creates a node (CreateNode) and attaches it relative to target (null: the root list; the
  // child modes then also mean the root list).
  TrgTreeListNode* AddNode(TrgTreeListNode* target, TrgNodeAttachMode mode);
  // Appends a new top-level node.
  TrgTreeListNode* Add() { return AddNode(nullptr, TrgNodeAttachMode::AddLast); }
  TrgTreeListNode* AddChild(TrgTreeListNode* parent) { return AddNode(parent, TrgNodeAttachMode::AddChildLast); }
  TrgTreeListNode* Insert(TrgTreeListNode* before) { return AddNode(before, TrgNodeAttachMode::InsertBefore); }

  // Frees every node, telling DoDeletion for each, without the focus, top and selection
  // bookkeeping of a single deletion: the grid is simply empty afterwards.
  void ClearNodes();
  // Counts ClearNodes calls; a pointer to a node is stale once this changed.
  unsigned NodesGeneration() const noexcept { return generation_; }

  // --- Display order ----------------------------------------------------------------------------
  // Number of displayed nodes.
  int AbsoluteCount();
  // Display position of node, or -1 when it is not displayed.
  int AbsoluteIndex(const TrgTreeListNode* node);
  // Node at a display position, or null outside 0 .. AbsoluteCount() − 1.
  TrgTreeListNode* AbsoluteItems(int index);
  TrgTreeListNode* FirstDisplayed() const noexcept { return roots_.empty() ? nullptr : roots_.front(); }
  TrgTreeListNode* LastDisplayed() const noexcept;
  const TrgVisibleOrderIndex& VisibleIndex() const noexcept { return index_; }

  // --- Focus, top row, anchor -------------------------------------------------------------------
  TrgTreeListNode* FocusedNode() const noexcept { return focused_; }
  TrgTreeListNode* TopNode() const noexcept { return top_; }
  TrgTreeListNode* SelectionAnchor() const noexcept { return anchor_; }
  int FocusedColumn() const noexcept { return focusedColumn_; }

  // --- Update batching --------------------------------------------------------------------------
  void BeginUpdate();
  void EndUpdate();
  int LockCount() const noexcept { return lockCount_; }
  bool Updating() const noexcept { return lockCount_ > 0; }

  // --- Sorting ----------------------------------------------------------------------------------
  // Replaces the order of the root list with order (a permutation of it).
  void ReorderRoots(std::vector<TrgTreeListNode*> order);

  // Bytes held by the model's own lists (root list and index), nodes not included.
  std::size_t ListMemoryBytes() const noexcept;

protected:
  // Makes one node of the grid's node class.
  virtual TrgTreeListNode* CreateNode();
  // Node events and requests; the defaults do nothing (or allow).
  virtual void DoDeletion(TrgTreeListNode* node) {}
  virtual void DeselectNode(TrgTreeListNode* node) {}
  virtual bool CanExpand(TrgTreeListNode* node) { return true; }
  virtual bool CanCollapse(TrgTreeListNode* node) { return true; }
  virtual void ExpansionChanged(TrgTreeListNode* node) {}
  // The grid may report children that are not loaded (a node then stays expandable without any).
  virtual bool HasUnloadedChildren(const TrgTreeListNode* node) const { return false; }
  // Nodes were added, removed or reordered (repaint, scroll range).
  virtual void NodesChanged() {}
  // The root list became empty through a deletion: reset the scroll state and repaint.
  virtual void ResetScrollState() {}
  // A displayed node went; the new top and focused rows need a repaint.
  virtual void DisplayedNodeRemoved() {}
  // BeginUpdate's extra work (close an editor, end a mouse gesture, cancel a hint).
  virtual void UpdateStarted() {}
  // The outermost EndUpdate: recompute the layout once.
  virtual void LayoutChanged() {}
  // Rows that fit in the window (for BringIntoView); at least 1.
  virtual int VisibleRowCount() { return 1; }
  // Scrolls so that the node at display position index is the top row.
  virtual void SetTopIndex(int index) { SetTopNodeRaw(AbsoluteItems(index)); }
  // A focus change requested by code (TakeFocus); the grid runs its full focus change.
  virtual void FocusNodeByCode(TrgTreeListNode* node) { SetFocusedNodeRaw(node); }
  // The grid's delete of a node (DeleteNode); the model frees it.
  virtual void DeleteNodeRequest(TrgTreeListNode* node) { node->Free(); }

  // Expands collapsed ancestors (in one batch) and scrolls so that node is fully visible.
  void MakeNodeVisible(TrgTreeListNode* node);

  void SetFocusedNodeRaw(TrgTreeListNode* node) noexcept { focused_ = node; }
  void SetTopNodeRaw(TrgTreeListNode* node) noexcept { top_ = node; }
  void SetSelectionAnchorRaw(TrgTreeListNode* node) noexcept { anchor_ = node; }
  void SetFocusedColumnRaw(int column) noexcept { focusedColumn_ = column; }
  // Marks the index stale (expansion changes, bulk edits).
  void InvalidateIndex() noexcept { index_.Invalidate(); }

private:
  friend class TrgTreeListNode;
  // Called by nodes.
  void NodeAttached(TrgTreeListNode* node);
  // node is about to leave its list; returns its display position (or -1) for NodeDetached.
  int NodeDetaching(TrgTreeListNode* node);
  void NodeDetached(int position);
  // After a node's destruction: focus, top row, anchor, index, hooks.
  void NodeDestroyed(TrgTreeListNode* node, TrgTreeListNode* before, TrgTreeListNode* after, bool displayed);
  void EnsureIndex();
  // Frees node and its subtree, each node's deletion handler after its children's. A failing
  // handler stops the handlers of what is left; every node still goes; the failure propagates.
  void FreeSubtreeWholesale(TrgTreeListNode* node);
  // FreeSubtreeWholesale for each of nodes in order, by the same rule.
  void FreeWholesale(const std::vector<TrgTreeListNode*>& nodes);

  std::vector<TrgTreeListNode*> roots_;  // top-level nodes in display order (owned)
  TrgVisibleOrderIndex index_;           // displayed nodes by row and by identity
  TrgTreeListNode* focused_ = nullptr;   // focused node, or null
  TrgTreeListNode* top_ = nullptr;       // first row in the window, or null
  TrgTreeListNode* anchor_ = nullptr;    // start of a range selection, or null
  int focusedColumn_ = -1;               // focused column index, -1: none
  int lockCount_ = 0;                    // BeginUpdate nesting
  bool clearing_ = false;                // ClearNodes is running
  unsigned generation_ = 0;              // ClearNodes count
};

}  // namespace bus
