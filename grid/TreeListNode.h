// A node of the grid's tree: one row, with its place among its siblings, its children and its
// expansion state. Nodes belong to a node tree (the grid) that is fixed at creation; top-level
// nodes sit in the tree's root list, children in their parent's child list, both in display order.
//
// A node is destroyed with Free(), never with delete: its children go first, then it leaves its
// list and the tree moves its focus, top row and selection anchor off it (see TrgNodeTree).
#pragma once

#include <memory>
#include <vector>

namespace bus {

class TrgNodeTree;

// Where Reattach and node creation put a node relative to a target node.
enum class TrgNodeAttachMode {
  AddLast,        // last sibling of the target
  AddFirst,       // first sibling of the target
  AddChildLast,   // last child of the target
  AddChildFirst,  // first child of the target
  InsertBefore    // at the target's position among its siblings
};

class TrgTreeListNode {
public:
  // Throws EInvalidrgTreeListOperation "Invalid Owner TrgTreeListNode" when grid is null.
  explicit TrgTreeListNode(TrgNodeTree* grid);
  virtual ~TrgTreeListNode();
  TrgTreeListNode(const TrgTreeListNode&) = delete;
  TrgTreeListNode& operator=(const TrgTreeListNode&) = delete;

  // Destroys the node and its children and tells the grid (see the file comment).
  void Free();

  void* UserData = nullptr;  // free for the application; the grid never uses it

  bool BeingDestroyed() const noexcept { return beingDestroyed_; }
  bool IsExpanded() const noexcept { return expanded_; }
  // Shows as expandable: true whenever it has children.
  bool Expandable() const noexcept { return expandable_ || HasChildren(); }
  void SetExpandable(bool v) noexcept { expandable_ = v; }
  TrgNodeTree* Grid() const noexcept { return grid_; }
  TrgTreeListNode* ParentNode() const noexcept { return parent_; }

  bool HasChildren() const noexcept { return children_ && !children_->empty(); }
  // The child list exists only while the node has children.
  bool HasChildList() const noexcept { return children_ != nullptr; }
  int ChildCount() const noexcept { return children_ ? int(children_->size()) : 0; }
  // The children in display order (an empty list while there are none).
  const std::vector<TrgTreeListNode*>& Children() const noexcept;
  // Child i, or null when i is outside 0 .. ChildCount() − 1.
  TrgTreeListNode* Child(int index) const noexcept;
  // Position among the siblings (top-level nodes: in the root list).
  int SiblingIndex() const noexcept;
  // Number of ancestors (0 for a top-level node).
  int Depth() const noexcept;
  bool IsLastSibling() const noexcept;
  // Every ancestor is expanded.
  bool IsDisplayed() const noexcept;
  TrgTreeListNode* NextSibling() const noexcept;
  TrgTreeListNode* PrevSibling() const noexcept;
  // Next node in display order: first child if expanded and has children; else next sibling; else
  // the next sibling of the nearest ancestor that has one.
  TrgTreeListNode* NextDisplayed() const noexcept;
  // Previous node in display order: the last displayed descendant of the previous sibling, or the
  // parent.
  TrgTreeListNode* PrevDisplayed() const noexcept;
  // The last node of this node's displayed subtree (itself when collapsed or childless).
  TrgTreeListNode* LastDisplayedDescendant() const noexcept;
  // Position in display order among all displayed nodes, or -1 when not displayed.
  int AbsoluteIndex() const;
  // The node lies in node's subtree (node itself excluded).
  bool HasAsAncestor(const TrgTreeListNode* node) const noexcept;

  bool HasFocus() const noexcept;
  // Makes the node the grid's focused node (as a focus change made by code).
  void TakeFocus();
  // Sets IsExpanded (with recurse, for every descendant as well), asking the grid first; false
  // when the grid refused.
  bool Expand(bool recurse = false);
  bool Collapse(bool recurse = false);
  // Expands collapsed ancestors and scrolls the node into view.
  void BringIntoView();
  // Moves the node relative to target. Throws EInvalidrgTreeListOperation when target is null,
  // is the node itself in a child or insert mode, or lies in the node's subtree.
  void Reattach(TrgTreeListNode* target, TrgNodeAttachMode mode);
  // The grid's delete of the node (a database grid deletes the row's record).
  void DeleteNode();

private:
  friend class TrgNodeTree;
  // The list the node sits in (its parent's children or the root list).
  std::vector<TrgTreeListNode*>& OwnerList() const noexcept;
  // Takes the node out of its list; a parent left without children loses its list and collapses.
  void Detach();
  // Puts a detached node into place relative to target (null target: the root list).
  void Attach(TrgTreeListNode* target, TrgNodeAttachMode mode);

  TrgNodeTree* grid_;                                         // owning grid, fixed at creation
  TrgTreeListNode* parent_ = nullptr;                         // null for a top-level node
  std::unique_ptr<std::vector<TrgTreeListNode*>> children_;   // child list; null while childless
  bool beingDestroyed_ = false;                               // Free() has begun
  bool expanded_ = false;                                     // children are shown
  bool expandable_ = false;                                   // shows as expandable without children
  bool attached_ = false;                                     // sits in a list
};

}  // namespace bus
