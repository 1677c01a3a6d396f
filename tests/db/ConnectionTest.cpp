#include "db/Connection.h"

#include <gtest/gtest.h>

#include <fstream>

#include "db/DatabaseError.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using bus::db::Connection;
using bus::db::DatabaseError;
using bus::test::TempDir;
using bus::test::connectionStringFor;

// Opening must fail with a DatabaseError whose message contains `needle`.
void expectOpenFails(const std::string& connectionString, const std::string& needle) {
  Connection c;
  try {
    c.open(connectionString);
    ADD_FAILURE() << "opened: " << connectionString;
  } catch (const DatabaseError& e) {
    EXPECT_NE(std::string(e.what()).find(needle), std::string::npos) << e.what();
  }
  EXPECT_FALSE(c.connected());
}

class ConnectionTest : public ::testing::Test {
protected:
  TempDir dir;
  fs::path routes = dir.path() / "xaway.db";
  void SetUp() override { bus::test::writeRoutes(routes, {{"5", {"钟楼", "小寨"}}}); }
};

TEST_F(ConnectionTest, OpensAnExistingRouteDatabase) {
  Connection c;
  c.open(connectionStringFor(routes));
  EXPECT_TRUE(c.connected());
  EXPECT_EQ(c.settings().password, "mbtrwqazpl");
  c.close();
  EXPECT_FALSE(c.connected());
  c.close();  // harmless twice
}

TEST_F(ConnectionTest, MissingFileDirectoryAndEmptyNameFailWithoutCreatingAnything) {
  const fs::path missing = dir.path() / "missing.db";
  expectOpenFails(connectionStringFor(missing), "not found");
  EXPECT_FALSE(fs::exists(missing));
  // empty dbName: the data source is the program directory itself, with its trailing separator
  expectOpenFails(connectionStringFor(dir.path()) + "", "directory");
  std::string withSeparator = bus::test::utf8(dir.path()) + "/";
  expectOpenFails("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + withSeparator, "directory");
  expectOpenFails("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=", "empty");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST_F(ConnectionTest, ForeignEmptyAndTablelessFilesAreNotRouteDatabases) {
  const fs::path text = dir.path() / "notes.db";
  std::ofstream(text, std::ios::binary) << "this is not a database, just some text that is long enough";
  expectOpenFails(connectionStringFor(text), "not a route database");

  const fs::path empty = dir.path() / "empty.db";
  std::ofstream(empty, std::ios::binary).flush();
  expectOpenFails(connectionStringFor(empty), "no table");
  EXPECT_EQ(fs::file_size(empty), 0u);  // left untouched
}

TEST_F(ConnectionTest, ReadOnlyFileFailsToOpen) {
  fs::permissions(routes, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  expectOpenFails(connectionStringFor(routes), "read-only");
}

TEST_F(ConnectionTest, OtherProvidersAreNotAvailable) {
  expectOpenFails("Provider=SQLOLEDB;Data Source=" + bus::test::utf8(routes), "provider");
  expectOpenFails("Data Source=" + bus::test::utf8(routes), "provider");
  // the provider name compares without regard to case
  Connection c;
  c.open("provider=microsoft.jet.oledb.4.0;data source=" + bus::test::utf8(routes));
  EXPECT_TRUE(c.connected());
}

TEST_F(ConnectionTest, ChineseFileNamesWork) {
  const fs::path chinese = dir.path() / bus::test::fromUtf8("西安线路.db");
  fs::copy_file(routes, chinese);
  Connection c;
  c.open(connectionStringFor(chinese));
  EXPECT_TRUE(c.connected());
}

}  // namespace
