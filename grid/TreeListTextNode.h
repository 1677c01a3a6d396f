// A node that carries the display text of each column and three image indexes.
#pragma once

#include <string_view>

#include "grid/CellTexts.h"
#include "grid/TreeListNode.h"

namespace bus {

class TrgTreeListTextNode : public TrgTreeListNode {
public:
  explicit TrgTreeListTextNode(TrgNodeTree* grid) : TrgTreeListNode(grid) {}

  // The display text of each column, by column index.
  const TrgCellTexts& CellTexts() const noexcept { return texts_; }
  TrgCellTexts& CellTexts() noexcept { return texts_; }
  std::string_view Strings(int column) const noexcept { return texts_.Text(column); }
  void SetStrings(int column, std::string_view text) { texts_.SetText(column, text); }

  int ImageIndex() const noexcept { return imageIndex_; }
  void SetImageIndex(int v) noexcept { imageIndex_ = v; }
  int SelectedIndex() const noexcept { return selectedIndex_; }
  void SetSelectedIndex(int v) noexcept { selectedIndex_ = v; }
  int StateIndex() const noexcept { return stateIndex_; }
  void SetStateIndex(int v) noexcept { stateIndex_ = v; }

private:
  TrgCellTexts texts_;       // column texts, packed
  int imageIndex_ = 0;       // image shown before the first column's text
  int selectedIndex_ = -1;   // image while selected; -1: the normal image
  int stateIndex_ = -1;      // state image; -1: none
};

}  // namespace bus
