// The grid's model without a window: node tree operations and the bookkeeping of deletions, the
// visible-order index (patched versus rebuilt), scrolling a node into view, packed cell texts and
// the row order with its key tie-break.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "grid/DBGridNode.h"
#include "grid/NodeSort.h"
#include "grid/NodeTree.h"
#include "grid/TreeListError.h"

namespace bus {
namespace {

// A node tree that makes grid rows and records what it is told.
class TestTree : public TrgNodeTree {
public:
  ~TestTree() override { ClearNodes(); }
  std::vector<std::string> deleted;  // texts of the nodes OnDeletion saw
  int rows = 1;                      // VisibleRowCount
  int layouts = 0;                   // LayoutChanged calls

  TrgDBGridNode* AddRow(const std::string& text) {
    auto* n = static_cast<TrgDBGridNode*>(Add());
    n->SetStrings(0, text);
    return n;
  }
  using TrgNodeTree::MakeNodeVisible;
  using TrgNodeTree::SetFocusedNodeRaw;
  using TrgNodeTree::SetTopNodeRaw;

protected:
  TrgTreeListNode* CreateNode() override { return new TrgDBGridNode(this); }
  void DoDeletion(TrgTreeListNode* node) override {
    deleted.emplace_back(static_cast<TrgDBGridNode*>(node)->Strings(0));
  }
  int VisibleRowCount() override { return rows; }
  void LayoutChanged() override { ++layouts; }
};

std::string Text(TrgTreeListNode* n) { return n ? std::string(static_cast<TrgDBGridNode*>(n)->Strings(0)) : "-"; }

// Display order as texts, by walking NextDisplayed from the first node.
std::string WalkOrder(TestTree& tree) {
  std::string s;
  for (TrgTreeListNode* n = tree.FirstDisplayed(); n; n = n->NextDisplayed()) s += Text(n);
  return s;
}

// Display order as texts, through the index.
std::string IndexOrder(TestTree& tree) {
  std::string s;
  for (int i = 0; i < tree.AbsoluteCount(); ++i) s += Text(tree.AbsoluteItems(i));
  return s;
}

TEST(NodeTree, ChildrenListsAndAttachModes) {
  TestTree tree;
  EXPECT_THROW(TrgTreeListNode(nullptr), EInvalidrgTreeListOperation);
  try {
    TrgDBGridNode orphan(nullptr);
    ADD_FAILURE() << "a node without a grid was made";
  } catch (const EInvalidrgTreeListOperation& e) {
    EXPECT_EQ(e.Message(), "Invalid Owner TrgTreeListNode");
  }
  TrgTreeListNode* a = tree.AddRow("a");
  TrgTreeListNode* c = tree.AddRow("c");
  EXPECT_FALSE(a->HasChildList());
  EXPECT_EQ(a->Child(0), nullptr);
  auto* b = static_cast<TrgDBGridNode*>(tree.Insert(c));
  b->SetStrings(0, "b");
  auto* a2 = static_cast<TrgDBGridNode*>(tree.AddChild(a));
  a2->SetStrings(0, "2");
  auto* a1 = static_cast<TrgDBGridNode*>(tree.AddNode(a2, TrgNodeAttachMode::AddFirst));
  a1->SetStrings(0, "1");
  EXPECT_EQ(a->ChildCount(), 2);
  EXPECT_EQ(a->Child(-1), nullptr);
  EXPECT_EQ(a->Child(2), nullptr);
  EXPECT_TRUE(a->Expandable());
  EXPECT_EQ(a1->Depth(), 1);
  EXPECT_EQ(a2->SiblingIndex(), 1);
  EXPECT_TRUE(a2->IsLastSibling());
  EXPECT_FALSE(a1->IsDisplayed());
  EXPECT_EQ(WalkOrder(tree), "abc");
  a->Expand();
  EXPECT_EQ(WalkOrder(tree), "a12bc");
  EXPECT_EQ(IndexOrder(tree), "a12bc");
  EXPECT_EQ(b->PrevDisplayed(), a2);
  EXPECT_EQ(a1->PrevDisplayed(), a);

  // refused moves leave everything in place
  EXPECT_THROW(a->Reattach(nullptr, TrgNodeAttachMode::AddLast), EInvalidrgTreeListOperation);
  EXPECT_THROW(a->Reattach(a, TrgNodeAttachMode::AddChildLast), EInvalidrgTreeListOperation);
  EXPECT_THROW(a->Reattach(a1, TrgNodeAttachMode::AddLast), EInvalidrgTreeListOperation);
  EXPECT_EQ(IndexOrder(tree), "a12bc");

  // moving the children out: the last one leaving collapses the parent and drops its list
  a1->Reattach(c, TrgNodeAttachMode::AddLast);
  EXPECT_TRUE(a->IsExpanded());
  a2->Reattach(b, TrgNodeAttachMode::InsertBefore);
  EXPECT_FALSE(a->HasChildList());
  EXPECT_FALSE(a->IsExpanded());
  EXPECT_FALSE(a->Expandable());
  EXPECT_EQ(WalkOrder(tree), "a2bc1");
  EXPECT_EQ(IndexOrder(tree), "a2bc1");
}

TEST(NodeTree, DeletionMovesFocusTopAndAnchorOffTheNode) {
  TestTree tree;
  std::vector<TrgTreeListNode*> n;
  for (const char* t : {"a", "b", "c", "d"}) n.push_back(tree.AddRow(t));
  // the first node: focus and top go to the next one
  tree.SetFocusedNodeRaw(n[0]);
  tree.SetTopNodeRaw(n[0]);
  n[0]->Free();
  EXPECT_EQ(Text(tree.FocusedNode()), "b");
  EXPECT_EQ(Text(tree.TopNode()), "b");
  // a later one: they go to the previous one
  tree.SetFocusedNodeRaw(n[2]);
  n[2]->Free();
  EXPECT_EQ(Text(tree.FocusedNode()), "b");
  EXPECT_EQ(tree.deleted, (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(IndexOrder(tree), "bd");
  // a node's children go first, each told
  TrgTreeListNode* child = tree.AddChild(n[3]);
  static_cast<TrgDBGridNode*>(child)->SetStrings(0, "x");
  n[3]->Free();
  EXPECT_EQ(tree.deleted.back(), "d");
  EXPECT_EQ(tree.deleted[tree.deleted.size() - 2], "x");
  // clearing tells every node but does no focus bookkeeping
  tree.AddRow("e");
  tree.deleted.clear();
  const unsigned generation = tree.NodesGeneration();
  tree.ClearNodes();
  EXPECT_EQ(tree.deleted, (std::vector<std::string>{"b", "e"}));
  EXPECT_EQ(tree.FocusedNode(), nullptr);
  EXPECT_EQ(tree.AbsoluteCount(), 0);
  EXPECT_NE(tree.NodesGeneration(), generation);
}

TEST(VisibleOrderIndex, PatchedListsMatchARebuildAfterEverySingleChange) {
  TestTree tree;
  std::mt19937 random(7);
  std::vector<TrgTreeListNode*> nodes;
  for (int i = 0; i < 40; ++i) nodes.push_back(tree.AddRow(std::string(1, char('A' + i % 26))));
  ASSERT_EQ(tree.AbsoluteCount(), 40);  // builds the index; from here on it is patched
  for (int step = 0; step < 300; ++step) {
    const int op = int(random() % 3);
    if (op == 0 || nodes.size() < 5) {
      // insert before a random node, or as a child of an expanded node
      TrgTreeListNode* target = nodes[random() % nodes.size()];
      TrgTreeListNode* n = (step % 4 == 0 && target->IsExpanded())
                               ? tree.AddChild(target)
                               : tree.AddNode(target, TrgNodeAttachMode::InsertBefore);
      static_cast<TrgDBGridNode*>(n)->SetStrings(0, std::to_string(step));
      nodes.push_back(n);
    } else if (op == 1) {
      const std::size_t i = random() % nodes.size();
      if (nodes[i]->HasChildren()) continue;
      nodes[i]->Free();
      nodes.erase(nodes.begin() + std::ptrdiff_t(i));
    } else {
      TrgTreeListNode* n = nodes[random() % nodes.size()];
      if (n->HasChildren()) n->IsExpanded() ? n->Collapse() : n->Expand();
      else if (!n->ParentNode()) n->Expand();  // remembered for a first child
    }
    // every row answers both ways, and the order is the tree's
    const int count = tree.AbsoluteCount();
    for (int i = 0; i < count; ++i) ASSERT_EQ(tree.AbsoluteIndex(tree.AbsoluteItems(i)), i) << "step " << step;
    ASSERT_EQ(IndexOrder(tree), WalkOrder(tree)) << "step " << step;
  }
}

TEST(VisibleOrderIndex, SingleChangesPatchWhileBatchesMarkItStale) {
  TestTree tree;
  for (int i = 0; i < 5; ++i) tree.AddRow(std::to_string(i));
  ASSERT_EQ(tree.AbsoluteCount(), 5);
  TrgTreeListNode* n = tree.AddRow("5");
  EXPECT_TRUE(tree.VisibleIndex().Valid());
  EXPECT_EQ(tree.AbsoluteIndex(n), 5);
  tree.BeginUpdate();
  tree.AddRow("6");
  EXPECT_FALSE(tree.VisibleIndex().Valid());
  tree.EndUpdate();
  EXPECT_EQ(tree.layouts, 1);
  EXPECT_EQ(IndexOrder(tree), "0123456");
  // nested batches lay out once
  tree.BeginUpdate();
  tree.BeginUpdate();
  tree.EndUpdate();
  EXPECT_EQ(tree.layouts, 1);
  tree.EndUpdate();
  EXPECT_EQ(tree.layouts, 2);
}

TEST(NodeTree, BringingANodeIntoViewScrollsOnlyWhenItIsOutsideThePage) {
  TestTree tree;
  tree.rows = 4;
  std::vector<TrgTreeListNode*> n;
  for (int i = 0; i < 20; ++i) n.push_back(tree.AddRow(std::to_string(i)));
  tree.SetTopNodeRaw(n[5]);
  tree.MakeNodeVisible(n[8]);  // last fully visible row: stays
  EXPECT_EQ(tree.TopNode(), n[5]);
  tree.MakeNodeVisible(n[9]);  // one below: it becomes the last row
  EXPECT_EQ(tree.TopNode(), n[6]);
  tree.MakeNodeVisible(n[2]);  // above: it becomes the top row
  EXPECT_EQ(tree.TopNode(), n[2]);
  // a collapsed ancestor is expanded first
  TrgTreeListNode* child = tree.AddChild(n[19]);
  tree.MakeNodeVisible(child);
  EXPECT_TRUE(n[19]->IsExpanded());
  EXPECT_EQ(tree.AbsoluteIndex(tree.TopNode()), 20 - 4 + 1);
}

TEST(CellTexts, PackedTextsReadBackAndGrow) {
  TrgCellTexts texts;
  EXPECT_EQ(texts.Count(), 0);
  EXPECT_EQ(texts.Text(0), "");
  TrgCellTextBuilder b;
  b.Add("路");
  b.Add("");
  b.Buffer() += "钟";
  b.Buffer() += "楼";
  b.Close();
  b.Store(texts);
  EXPECT_EQ(texts.Count(), 3);
  EXPECT_EQ(texts.Text(0), "路");
  EXPECT_EQ(texts.Text(1), "");
  EXPECT_EQ(texts.Text(2), "钟楼");
  EXPECT_EQ(texts.Text(3), "");
  texts.SetText(5, "x");
  EXPECT_EQ(texts.Count(), 6);
  EXPECT_EQ(texts.Text(2), "钟楼");
  EXPECT_EQ(texts.Text(4), "");
  EXPECT_EQ(texts.Text(5), "x");
  TrgCellTexts copy = texts;
  texts.SetText(0, "changed");
  EXPECT_EQ(copy.Text(0), "路");
}

// Rows with (key, text) in dataset order, sorted as the grid sorts them.
std::vector<std::string> SortedRows(const std::vector<std::pair<std::string, const char*>>& rows,
                                    TrgSortSettings settings) {
  TestTree tree;
  std::vector<TrgTreeListNode*> nodes;
  for (const auto& [key, text] : rows) {
    auto* n = tree.AddRow(text ? text : "");
    n->SetKeyValue(Variant::String(key));
    if (!text) n->SetValue(0, Variant::Null());
    nodes.push_back(n);
  }
  settings.column = 0;
  SortNodes(nodes, settings);
  std::vector<std::string> out;
  for (TrgTreeListNode* n : nodes)
    out.push_back(Text(n) + "/" + static_cast<TrgDBGridNode*>(n)->KeyValue().AsString());
  return out;
}

TEST(NodeSort, TextColumnsOrderByBytesWithAnAscendingKeyTieBreak) {
  // line numbers are text: "10" before "2"; a null field shows empty and comes first
  EXPECT_EQ(SortedRows({{"1", "10"}, {"2", "2"}, {"3", "9A"}, {"4", nullptr}}, {}),
            (std::vector<std::string>{"/4", "10/1", "2/2", "9A/3"}));
  // records 5, 3, 9 with "2", "10", "2"
  const std::vector<std::pair<std::string, const char*>> rows{{"5", "2"}, {"3", "10"}, {"9", "2"}};
  EXPECT_EQ(SortedRows(rows, {}), (std::vector<std::string>{"10/3", "2/5", "2/9"}));
  TrgSortSettings down;
  down.descending = true;
  EXPECT_EQ(SortedRows(rows, down), (std::vector<std::string>{"2/5", "2/9", "10/3"}));
  // case-insensitive texts compare upper-cased; OnCompare decides when it answers
  TrgSortSettings upper;
  upper.caseInsensitive = true;
  EXPECT_EQ(SortedRows({{"1", "b"}, {"2", "A"}, {"3", "a"}}, upper), (std::vector<std::string>{"A/2", "a/3", "b/1"}));
  TrgSortSettings event;
  event.compare = [](TrgTreeListNode* a, TrgTreeListNode* b) {
    return Text(a).size() < Text(b).size() ? 1 : (Text(a).size() > Text(b).size() ? -1 : 0);
  };
  EXPECT_EQ(SortedRows({{"1", "x"}, {"3", "yyy"}, {"2", "zz"}, {"4", "w"}}, event),
            (std::vector<std::string>{"yyy/3", "zz/2", "x/1", "w/4"}));
}

TEST(NodeSort, ValuesThatCannotBeComparedNeverBreakTheSort) {
  TestTree tree;
  std::vector<TrgTreeListNode*> nodes;
  std::mt19937 random(3);
  for (int i = 0; i < 2000; ++i) {
    auto* n = tree.AddRow("");
    n->SetKeyValue(Variant::Integer(i % 7));  // many equal keys
    // numbers, number texts and texts that are no numbers: text against number cannot compare
    switch (random() % 3) {
      case 0: n->SetValue(0, Variant::Integer(std::int64_t(random() % 50))); break;
      case 1: n->SetValue(0, Variant::String("x" + std::to_string(random() % 50))); break;
      default: n->SetValue(0, Variant::Float(double(random() % 50) / 3)); break;
    }
    nodes.push_back(n);
  }
  std::vector<TrgTreeListNode*> sorted = nodes;
  TrgSortSettings s;
  s.column = 0;
  s.stringValues = false;
  SortNodes(sorted, s);
  std::sort(sorted.begin(), sorted.end());
  std::sort(nodes.begin(), nodes.end());
  EXPECT_EQ(sorted, nodes);  // every node exactly once
  // comparable values come out in value order
  std::vector<TrgTreeListNode*> numbers;
  for (int i = 0; i < 300; ++i) {
    auto* n = tree.AddRow("");
    n->SetValue(0, Variant::Integer(std::int64_t((i * 7919) % 300)));
    numbers.push_back(n);
  }
  SortNodes(numbers, s);
  for (std::size_t i = 1; i < numbers.size(); ++i)
    ASSERT_LE(static_cast<TrgDBGridNode*>(numbers[i - 1])->Value(0)->AsInteger(),
              static_cast<TrgDBGridNode*>(numbers[i])->Value(0)->AsInteger());
}

}  // namespace
}  // namespace bus
