#include "app/Startup.h"

#include <gtest/gtest.h>

#include <fstream>

#include "db/Connection.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace bus::app;

TEST(Startup, CitySuffixIsExactAndCaseSensitive) {
  EXPECT_EQ(windowTitleFor("xaway.db"), "Zelvo公交车查询V2.2.8--西安");
  EXPECT_EQ(windowTitleFor("bjway.db"), "Zelvo公交车查询V2.2.8--北京");
  EXPECT_EQ(windowTitleFor("XAWAY.db"), "Zelvo公交车查询V2.2.8");
  EXPECT_EQ(windowTitleFor("sub/xaway.db"), "Zelvo公交车查询V2.2.8");
  EXPECT_EQ(windowTitleFor(""), "Zelvo公交车查询V2.2.8");
}

TEST(Startup, ConnectionStringJoinsDirectoryAndNameAsTheyStand) {
  EXPECT_EQ(routeConnectionString("C:\\Bus\\", "data\\xaway.db"),
            "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Bus\\data\\xaway.db;"
            "Persist Security Info=False;Jet OLEDB:Database Password=mbtrwqazpl");
}

TEST(Startup, DbNameComesFromConfigIniBesideTheProgram) {
  bus::test::TempDir dir;
  const std::string appDir = bus::test::utf8(dir.path()) + "/";
  EXPECT_EQ(readDbName(appDir), "");  // no config.ini
  std::ofstream(dir.path() / "config.ini") << "[config]\r\ndbName=bjway.db\r\n";
  EXPECT_EQ(readDbName(appDir), "bjway.db");
  std::ofstream(dir.path() / "config.ini") << "[other]\r\ndbName=bjway.db\r\n";
  EXPECT_EQ(readDbName(appDir), "");
}

TEST(Startup, RelativeSubPathConnectsAndAnEmptyNameFails) {
  bus::test::TempDir dir;
  std::filesystem::create_directory(dir.path() / "data");
  bus::test::writeRoutes(dir.path() / "data" / "xaway.db", {{"1", {"a"}}});
  const std::string appDir = bus::test::utf8(dir.path()) + "/";
  bus::db::Connection c;
  c.open(routeConnectionString(appDir, "data/xaway.db"));
  EXPECT_TRUE(c.connected());
  EXPECT_ANY_THROW(c.open(routeConnectionString(appDir, "")));
  EXPECT_FALSE(c.connected());
}

}  // namespace
