#include "core/TextUtil.h"

#include <gtest/gtest.h>

namespace bus {
namespace {

TEST(TextUtil, TrimsBlanksOrEveryControlCharacterAtBothEndsOnly) {
  EXPECT_EQ(TrimBlanks(" \t xaway.db \r\n"), "xaway.db");
  EXPECT_EQ(TrimBlanks("a b\tc"), "a b\tc");
  EXPECT_EQ(TrimBlanks(" \t\r\n"), "");
  EXPECT_EQ(TrimBlanks("\x01x\x01"), "\x01x\x01");  // control characters other than blanks stay
  EXPECT_EQ(TrimControl("\x01\x1F x \x7F\x20\x0B"), "x \x7F");
  EXPECT_EQ(TrimControl("站 点"), "站 点");  // bytes above 127 are text
  EXPECT_EQ(TrimControl(std::string_view("\0\0", 2)), "");
}

}  // namespace
}  // namespace bus
