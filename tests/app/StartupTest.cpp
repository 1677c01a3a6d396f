#include "app/Startup.h"

#include <gtest/gtest.h>

namespace {

using namespace bus::app;

TEST(Startup, CitySuffixIsExactAndCaseSensitive) {
  EXPECT_EQ(WindowTitleFor("xaway.db"), "Zelvo公交车查询V2.2.8--西安");
  EXPECT_EQ(WindowTitleFor("bjway.db"), "Zelvo公交车查询V2.2.8--北京");
  EXPECT_EQ(WindowTitleFor("XAWAY.db"), "Zelvo公交车查询V2.2.8");
  EXPECT_EQ(WindowTitleFor("sub/xaway.db"), "Zelvo公交车查询V2.2.8");
  EXPECT_EQ(WindowTitleFor(""), "Zelvo公交车查询V2.2.8");
  // the title carries the version the build gives the program
  EXPECT_EQ(kInitialWindowTitle, "Zelvo公交车查询V" + std::string(bus::kVersion));
}

}  // namespace
