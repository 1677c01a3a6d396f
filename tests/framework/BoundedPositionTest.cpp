// The position of range controls: limits that move each other along, and a page that shortens the
// way of the position.
#include <gtest/gtest.h>

#include "framework/BoundedPosition.h"

namespace bus {
namespace {

TEST(BoundedPosition, LimitsMoveEachOtherAlongAndThePageShortensTheWay) {
  TBoundedPosition r(10, 20);
  EXPECT_EQ(r.Position(), 10);  // starts at the lower limit
  r.SetPosition(25);
  EXPECT_EQ(r.Position(), 20);
  r.SetMax(5);  // below the minimum: both come down, the position with them
  EXPECT_EQ(r.Min(), 5);
  EXPECT_EQ(r.Position(), 5);
  r.SetMin(0);
  r.SetMax(100);
  r.SetPage(10);
  r.SetPosition(100);
  EXPECT_EQ(r.Last(), 91);
  EXPECT_EQ(r.Position(), 91);
  r.SetPage(500);  // at most the whole range: the position cannot move
  EXPECT_EQ(r.Page(), 101);
  EXPECT_EQ(r.Position(), 0);
  r.SetMax(9);  // a smaller range shortens the page too
  EXPECT_EQ(r.Page(), 10);
  EXPECT_EQ(r.Last(), 0);
  EXPECT_EQ(r.Clamp(-7), 0);
}

}  // namespace
}  // namespace bus
