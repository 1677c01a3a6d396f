// The string list that tells its holder of changes: once per change, once per update group, and
// never for a change that changes nothing.
#include <gtest/gtest.h>

#include "framework/NotifyStringList.h"

namespace bus {
namespace {

TEST(NotifyStringList, TellsOncePerChangeAndOncePerUpdateGroup) {
  TNotifyStringList list;
  int changes = 0;
  list.OnChange = [&] { ++changes; };
  list.Add("a");
  list.Insert(0, "b");
  list.SetStrings(1, "c");
  list.Delete(0);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(list.Text(), "c\r\n");
  // nothing changed: nothing told
  list.Assign(TStringList{"c"});
  list.SetText("c\r\n");
  EXPECT_EQ(changes, 4);
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add("d");
  list.Add("e");
  list.EndUpdate();
  EXPECT_EQ(changes, 4);  // the outer group is still open
  list.EndUpdate();
  EXPECT_EQ(changes, 5);
  list.BeginUpdate();
  list.EndUpdate();  // an empty group tells nothing
  EXPECT_EQ(changes, 5);
  list.Clear();
  list.Clear();
  EXPECT_EQ(changes, 6);
  EXPECT_EQ(list.Count(), 0);
  // a bad index changes nothing and tells nothing
  EXPECT_THROW(list.Delete(0), std::out_of_range);
  EXPECT_EQ(changes, 6);
  list.EndUpdate();  // unmatched: harmless
  EXPECT_EQ(changes, 6);
}

}  // namespace
}  // namespace bus
