#include "db/RouteConfig.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/MakerSite.h"
#include "db/Connection.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace bus::db;

TEST(RouteConfig, ConnectionStringJoinsDirectoryAndNameAsTheyStand) {
  EXPECT_EQ(RouteConnectionString("C:\\Bus\\", "data\\xaway.db"),
            "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Bus\\data\\xaway.db;"
            "Persist Security Info=False;Jet OLEDB:Database Password=mbtrwqazpl");
}

TEST(RouteConfig, DbNameComesFromConfigIniBesideTheProgram) {
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
TEST(RouteConfig, ConfigIniInGbkOrUtf16NamesTheDatabase) {
  bus::test::TempDir dir;
  const std::string appDir = bus::test::Utf8(dir.Path()) + "/";
  std::ofstream(dir.Path() / "config.ini", std::ios::binary) << "; \xCE\xF7\xB0\xB2\r\n[config]\r\ndbName=xaway.db\r\n";
  EXPECT_EQ(ReadDbName(appDir), "xaway.db");
  std::ofstream(dir.Path() / "config.ini", std::ios::binary) << "[config]\r\ndbName=\xB1\xB1\xBE\xA9.db\r\n";
  EXPECT_EQ(ReadDbName(appDir), "北京.db");
  const char utf16[] = "\xFF\xFE[\0c\0o\0n\0f\0i\0g\0]\0\r\0\n\0d\0b\0N\0a\0m\0e\0=\0b\0j\0w\0a\0y\0.\0d\0b\0";
  std::ofstream(dir.Path() / "config.ini", std::ios::binary).write(utf16, sizeof utf16 - 1);
  EXPECT_EQ(ReadDbName(appDir), "bjway.db");
}

TEST(RouteConfig, RelativeSubPathConnectsAndAnEmptyNameFails) {
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

TEST(RouteConfig, UpdateAddressIsOptionalAndDefaultsToTheManifestNamedAfterTheDatabase) {
  bus::test::TempDir dir;
  const std::string appDir = bus::test::Utf8(dir.Path()) + "/";
  EXPECT_EQ(ReadUpdateUrl(appDir), "");
  std::ofstream(dir.Path() / "config.ini") << "[config]\r\ndbName=xaway.db\r\n";
  EXPECT_EQ(ReadUpdateUrl(appDir), "");
  std::ofstream(dir.Path() / "config.ini") << "[config]\r\ndbName=xaway.db\r\nupdateUrl = http://127.0.0.1:8080/x.txt\r\n";
  EXPECT_EQ(ReadUpdateUrl(appDir), "http://127.0.0.1:8080/x.txt");
  EXPECT_EQ(bus::RouteUpdateUrl("xaway.db"), "http://www.zelvo.example/softdownload/update/xaway.txt");
  EXPECT_EQ(bus::RouteUpdateUrl("data\\bjway.db"), "http://www.zelvo.example/softdownload/update/bjway.txt");
  EXPECT_EQ(bus::RouteUpdateUrl("routes"), "http://www.zelvo.example/softdownload/update/routes.txt");
}

TEST(RouteConfig, OnlyTheBundledNamesStandForACity) {
  EXPECT_EQ(CityOfDatabase("xaway.db"), "西安");
  EXPECT_EQ(CityOfDatabase("bjway.db"), "北京");
  EXPECT_EQ(CityOfDatabase("Xaway.db"), "");
  EXPECT_EQ(CityOfDatabase("data/xaway.db"), "");
}

}  // namespace
