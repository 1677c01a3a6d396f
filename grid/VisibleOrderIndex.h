// The grid's index of displayed nodes: three parallel lists that answer "which node is row i" and
// "which row is this node" without walking the tree.
//   order      the displayed nodes in display order
//   byAddress  the same nodes sorted by identity (address)
//   positions  for each entry of byAddress, its position in order
// A node's row is a binary search in byAddress; row i's node is order[i]. Adding or removing one
// node patches the lists in place (positions at or after it shift by one); anything bigger is a
// rebuild.
#pragma once

#include <cstddef>
#include <vector>

namespace bus {

class TrgTreeListNode;

class TrgVisibleOrderIndex {
public:
  bool Valid() const noexcept { return valid_; }
  void Invalidate() noexcept { valid_ = false; }
  // Rebuilds the lists from the displayed nodes under roots.
  void Rebuild(const std::vector<TrgTreeListNode*>& roots);

  int Count() const noexcept { return int(order_.size()); }
  // Display position of node, or -1 when it is not in the index.
  int IndexOf(const TrgTreeListNode* node) const noexcept;
  // Node at a display position, or null outside 0 .. Count() − 1.
  TrgTreeListNode* At(int position) const noexcept;

  // Adds node at display position (0 .. Count()).
  void PatchInsert(TrgTreeListNode* node, int position);
  // Removes the node at display position.
  void PatchRemove(int position);

  // Bytes held by the three lists.
  std::size_t MemoryBytes() const noexcept;

private:
  std::vector<TrgTreeListNode*> order_;      // displayed nodes in display order
  std::vector<TrgTreeListNode*> byAddress_;  // the same, by address
  std::vector<int> positions_;               // byAddress_[i] is order_[positions_[i]]
  bool valid_ = false;                       // the lists describe the tree
};

}  // namespace bus
