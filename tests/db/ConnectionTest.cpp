#include "db/Connection.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <fstream>

#include "db/DatabaseError.h"
#include "db/Query.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using bus::db::Connection;
using bus::db::DatabaseError;
using bus::test::TempDir;
using bus::test::ConnectionStringFor;

// Opening must fail with a DatabaseError whose message contains `needle`.
void ExpectOpenFails(const std::string& connectionString, const std::string& needle) {
  Connection c;
  try {
    c.Open(connectionString);
    ADD_FAILURE() << "opened: " << connectionString;
  } catch (const DatabaseError& e) {
    EXPECT_NE(std::string(e.what()).find(needle), std::string::npos) << e.what();
  }
  EXPECT_FALSE(c.Connected());
}

class ConnectionTest : public ::testing::Test {
protected:
  TempDir dir;
  fs::path routes = dir.Path() / "xaway.db";
  void SetUp() override { bus::test::WriteRoutes(routes, {{"5", {"钟楼", "小寨"}}}); }
};

TEST_F(ConnectionTest, OpensAnExistingRouteDatabase) {
  Connection c;
  c.Open(ConnectionStringFor(routes));
  EXPECT_TRUE(c.Connected());
  EXPECT_EQ(c.Settings().password, "mbtrwqazpl");
  c.Close();
  EXPECT_FALSE(c.Connected());
  c.Close();  // harmless twice
}

TEST_F(ConnectionTest, MissingFileDirectoryAndEmptyNameFailWithoutCreatingAnything) {
  const fs::path missing = dir.Path() / "missing.db";
  ExpectOpenFails(ConnectionStringFor(missing), "not found");
  EXPECT_FALSE(fs::exists(missing));
  // empty dbName: the data source is the program directory itself, with its trailing separator
  ExpectOpenFails(ConnectionStringFor(dir.Path()) + "", "directory");
  std::string withSeparator = bus::test::Utf8(dir.Path()) + "/";
  ExpectOpenFails("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + withSeparator, "directory");
  ExpectOpenFails("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=", "empty");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST_F(ConnectionTest, ForeignEmptyAndTablelessFilesAreNotRouteDatabases) {
  const fs::path text = dir.Path() / "notes.db";
  std::ofstream(text, std::ios::binary) << "this is not a database, just some text that is long enough";
  ExpectOpenFails(ConnectionStringFor(text), "not a route database");

  const fs::path empty = dir.Path() / "empty.db";
  std::ofstream(empty, std::ios::binary).flush();
  ExpectOpenFails(ConnectionStringFor(empty), "no table");
  EXPECT_EQ(fs::file_size(empty), 0u);  // left untouched
}

// A file nobody may write (under Wine: the read-only attribute) opens read-only, also for a
// process that could write it anyway (root): searches work, changes fail with a clear message.
TEST_F(ConnectionTest, AReadOnlyFileOpensReadOnlyAndRefusesChangesClearly) {
  Connection writable;
  writable.Open(ConnectionStringFor(routes));
  EXPECT_FALSE(writable.ReadOnly());
  EXPECT_NO_THROW(writable.RequireWritable("delete the record"));
  writable.Close();

  const std::string before = bus::test::ReadFile(routes);
  fs::permissions(routes, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  Connection c;
  c.Open(ConnectionStringFor(routes));
  ASSERT_TRUE(c.Connected());
  EXPECT_TRUE(c.ReadOnly());
  bus::db::Query q(c);
  q.SetStatement("select * from way where w0 = ?", {"钟楼"});
  q.Open();
  ASSERT_EQ(q.RecordCount(), 1);
  EXPECT_EQ(q.Value(1), "5");
  for (auto change : {+[](bus::db::Query& q) { q.Delete(); }, +[](bus::db::Query& q) {
         q.Edit();
         q.SetValue(1, "6");
         q.Post();
       }}) {
    try {
      change(q);
      ADD_FAILURE() << "changed a read-only database";
    } catch (const DatabaseError& e) {
      EXPECT_NE(std::string(e.what()).find("the route database is read-only ("), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find("xaway.db)"), std::string::npos) << e.what();
    }
    q.Cancel();
  }
  EXPECT_EQ(q.RecordCount(), 1);
  c.Close();
  EXPECT_EQ(bus::test::ReadFile(routes), before);
  EXPECT_FALSE(c.ReadOnly());  // a closed connection is neither
}

// A change the engine refuses because the file or its folder cannot be written says so.
TEST_F(ConnectionTest, WritesRefusedByTheFileSystemAreNamedAsSuch) {
  Connection c;
  c.Open(ConnectionStringFor(routes));
  for (int rc : {SQLITE_READONLY, SQLITE_CANTOPEN, SQLITE_PERM, SQLITE_READONLY_DIRECTORY})
    EXPECT_NE(std::string(c.WriteError(rc, "delete the record").what())
                  .find("cannot delete the record: the route database or its folder cannot be written ("),
              std::string::npos)
        << rc;
  EXPECT_EQ(std::string(c.WriteError(SQLITE_CONSTRAINT, "delete the record").what()), "not an error");
}

TEST_F(ConnectionTest, OtherProvidersAreNotAvailable) {
  ExpectOpenFails("Provider=SQLOLEDB;Data Source=" + bus::test::Utf8(routes), "provider");
  ExpectOpenFails("Data Source=" + bus::test::Utf8(routes), "provider");
  // the provider name compares without regard to case
  Connection c;
  c.Open("provider=microsoft.jet.oledb.4.0;data source=" + bus::test::Utf8(routes));
  EXPECT_TRUE(c.Connected());
}

TEST_F(ConnectionTest, ChineseFileNamesWork) {
  const fs::path chinese = dir.Path() / bus::test::FromUtf8("西安线路.db");
  fs::copy_file(routes, chinese);
  Connection c;
  c.Open(ConnectionStringFor(chinese));
  EXPECT_TRUE(c.Connected());
}

TEST_F(ConnectionTest, FieldNamesWithoutRunningTheStatement) {
  Connection c;
  EXPECT_THROW(c.FieldNames("select * from way"), DatabaseError);
  c.Open(ConnectionStringFor(routes));
  const std::vector<std::string> names = c.FieldNames("select * from way");
  ASSERT_EQ(names.size(), 51u);
  EXPECT_EQ(names[0], "id");
  EXPECT_EQ(names[1], "no");
  EXPECT_EQ(names[50], "w48");
  EXPECT_EQ(c.FieldNames("select no, w0 as first from way where 0"), (std::vector<std::string>{"no", "first"}));
  EXPECT_THROW(c.FieldNames("select * from nowhere"), DatabaseError);
}

// What the stop index relies on to notice that its table changed: its own deletes and another
// program's commits move the data version, reading does not.
TEST_F(ConnectionTest, DataVersionMovesWithEveryChangeOfTheContent) {
  Connection c, other;
  EXPECT_THROW(c.DataVersion(), DatabaseError);
  c.Open(ConnectionStringFor(routes));
  other.Open(ConnectionStringFor(routes));
  const std::uint64_t start = c.DataVersion();
  bus::db::Query read(c);
  read.SetStatement("select * from way");
  read.Open();
  EXPECT_EQ(c.DataVersion(), start);

  read.Delete();
  const std::uint64_t afterDelete = c.DataVersion();
  EXPECT_NE(afterDelete, start);

  ASSERT_EQ(sqlite3_exec(other.Handle(), "insert into way (no, w0) values ('6', '南门')", nullptr, nullptr, nullptr),
            SQLITE_OK);
  EXPECT_NE(c.DataVersion(), afterDelete) << "a commit of another connection";
}

// "like ... escape" goes through our own matcher: no length limit, and it still reads the
// parameters as the engine would.
TEST_F(ConnectionTest, LikeWithEscapeHasNoLengthLimit) {
  Connection c;
  c.Open(ConnectionStringFor(routes));
  bus::db::Query q(c);
  const auto count = [&](const std::string& sql, std::vector<std::string> params) {
    q.SetStatement(sql, std::move(params));
    q.Open();
    return q.RecordCount();
  };
  EXPECT_EQ(count("select * from way where w0 like ? escape '\\'", {std::string(200000, '%') + "钟楼"}), 1);
  EXPECT_EQ(count("select * from way where w0 like ? escape '\\'", {"%" + std::string(200000, 'x') + "%"}), 0);
  EXPECT_EQ(count("select * from way where w0 like ? escape ?", {"钟\\%", "\\"}), 0);
  EXPECT_EQ(count("select * from way where w0 like ? escape ?", {"钟%", "楼"}), 1);
  EXPECT_EQ(count("select * from way where w0 like ? escape '\\'", {std::string("钟楼\0x", 8)}), 1);  // up to NUL
  EXPECT_EQ(count("select * from way where w0 like null escape '\\'", {}), 0);
  EXPECT_EQ(count("select * from way where (w0 like ? escape '\\') is null", {"%"}), 0);
  q.SetStatement("select * from way where w0 like ? escape ?", {"%", "ab"});
  EXPECT_THROW(q.Open(), DatabaseError);
  q.SetStatement("select * from way where w0 like ? escape ?", {"%", ""});
  EXPECT_THROW(q.Open(), DatabaseError);
}

}  // namespace
