#include "app/Startup.h"

#include <gtest/gtest.h>

#include <fstream>

#include "db/Connection.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace bus::app;

TEST(Startup, CitySuffixIsExactAndCaseSensitive) {
  EXPECT_EQ(WindowTitleFor("xaway.db"), "Zelvo公交车查询V2.2.8--西安");
  EXPECT_EQ(WindowTitleFor("bjway.db"), "Zelvo公交车查询V2.2.8--北京");
  EXPECT_EQ(WindowTitleFor("XAWAY.db"), "Zelvo公交车查询V2.2.8");
  EXPECT_EQ(WindowTitleFor("sub/xaway.db"), "Zelvo公交车查询V2.2.8");
  EXPECT_EQ(WindowTitleFor(""), "Zelvo公交车查询V2.2.8");
}

TEST(Startup, ConnectionStringJoinsDirectoryAndNameAsTheyStand) {
  EXPECT_EQ(RouteConnectionString("C:\\Bus\\", "data\\xaway.db"),
            "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Bus\\data\\xaway.db;"
            "Persist Security Info=False;Jet OLEDB:Database Password=mbtrwqazpl");
}

TEST(Startup, DbNameComesFromConfigIniBesideTheProgram) {
  bus::test::TempDir dir;
  const std::string appDir = bus::test::Utf8(dir.Path()) + "/";
  EXPECT_EQ(ReadDbName(appDir), "");  // no config.ini
  std::ofstream(dir.Path() / "config.ini") << "[config]\r\ndbName=bjway.db\r\n";
  EXPECT_EQ(ReadDbName(appDir), "bjway.db");
  std::ofstream(dir.Path() / "config.ini") << "[other]\r\ndbName=bjway.db\r\n";
  EXPECT_EQ(ReadDbName(appDir), "");
}

// A config.ini saved by Notepad as ANSI on a Chinese system (GBK) or as "Unicode" (UTF-16 with a
// byte-order mark) names its database as one in UTF-8 does, and the city follows from it.
TEST(Startup, ConfigIniInGbkOrUtf16NamesTheDatabase) {
  bus::test::TempDir dir;
  const std::string appDir = bus::test::Utf8(dir.Path()) + "/";
  std::ofstream(dir.Path() / "config.ini", std::ios::binary) << "; \xCE\xF7\xB0\xB2\r\n[config]\r\ndbName=xaway.db\r\n";
  EXPECT_EQ(WindowTitleFor(ReadDbName(appDir)), "Zelvo公交车查询V2.2.8--西安");
  std::ofstream(dir.Path() / "config.ini", std::ios::binary) << "[config]\r\ndbName=\xB1\xB1\xBE\xA9.db\r\n";
  EXPECT_EQ(ReadDbName(appDir), "北京.db");
  const char utf16[] = "\xFF\xFE[\0c\0o\0n\0f\0i\0g\0]\0\r\0\n\0d\0b\0N\0a\0m\0e\0=\0b\0j\0w\0a\0y\0.\0d\0b\0";
  std::ofstream(dir.Path() / "config.ini", std::ios::binary).write(utf16, sizeof utf16 - 1);
  EXPECT_EQ(WindowTitleFor(ReadDbName(appDir)), "Zelvo公交车查询V2.2.8--北京");
}

TEST(Startup, RelativeSubPathConnectsAndAnEmptyNameFails) {
  bus::test::TempDir dir;
  std::filesystem::create_directory(dir.Path() / "data");
  bus::test::WriteRoutes(dir.Path() / "data" / "xaway.db", {{"1", {"a"}}});
  const std::string appDir = bus::test::Utf8(dir.Path()) + "/";
  bus::db::Connection c;
  c.Open(RouteConnectionString(appDir, "data/xaway.db"));
  EXPECT_TRUE(c.Connected());
  EXPECT_ANY_THROW(c.Open(RouteConnectionString(appDir, "")));
  EXPECT_FALSE(c.Connected());
}

}  // namespace
