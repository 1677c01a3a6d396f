// Route files and the update of an open route database from one: what a route file must be, the
// data version kept beside the routes, and an update that either happens whole or not at all.
#include "db/RouteTable.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <fstream>

#include "db/Connection.h"
#include "db/DatabaseError.h"
#include "db/Query.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace bus::db;
using bus::test::ConnectionStringFor;
using bus::test::ReadFile;

std::vector<RouteRecord> Routes(int count, const std::string& prefix) {
  std::vector<RouteRecord> records;
  for (int i = 0; i < count; ++i)
    records.push_back({std::to_string(i + 1), {prefix + "甲" + std::to_string(i), prefix + "乙", prefix + "丙"}});
  return records;
}

// Every record of the open database's table "way" as "no:w0,w1,...".
std::vector<std::string> Lines(Connection& connection) {
  Query q(connection);
  q.SetStatement("select * from way");
  q.Open();
  std::vector<std::string> lines;
  for (q.First(); int(lines.size()) < q.RecordCount(); q.Next()) {
    std::string line = std::string(q.Value(1)) + ":";
    for (int f = 2; f < q.FieldCount() && !q.Value(f).empty(); ++f) line += std::string(q.Value(f)) + ",";
    lines.push_back(line);
  }
  return lines;
}

class RouteUpdate : public ::testing::Test {
protected:
  void SetUp() override {
    WriteRouteDatabase(database_, Routes(3, "旧"), {"西安", 20240101});
    WriteRouteDatabase(routeFile_, Routes(5, "新"), {"西安", 20240711});
  }

  bus::test::TempDir dir_;
  fs::path database_ = dir_.Path() / "xaway.db";
  fs::path routeFile_ = dir_.Path() / "update.db";
};

// The running program keeps its connection open while the updater writes through its own: the
// program's next statement sees the new routes, and the version is recorded beside them.
TEST_F(RouteUpdate, ReplacesEveryRouteAndTheVersionWhileAnotherConnectionStaysOpen) {
  Connection program;
  program.Open(ConnectionStringFor(database_));
  ASSERT_EQ(Lines(program).size(), 3u);
  EXPECT_EQ(ReadRouteDataInfo(program).version, 20240101);

  const RouteFile file = ReadRouteFile(routeFile_);
  ASSERT_EQ(file.records.size(), 5u);
  EXPECT_EQ(file.info.city, "西安");
  EXPECT_EQ(file.info.version, 20240711);
  Connection updater;
  updater.Open(ConnectionStringFor(database_));
  ReplaceRoutes(updater, file.records, file.info);

  const std::vector<std::string> lines = Lines(program);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[4], "5:新甲4,新乙,新丙,");
  EXPECT_EQ(ReadRouteDataInfo(program).city, "西安");
  EXPECT_EQ(ReadRouteDataInfo(program).version, 20240711);
  // the table keeps its shape
  EXPECT_EQ(program.FieldNames("select * from way").size(), size_t(kRouteFields));
}

// A change that cannot be completed (here: the disk fills up half-way, then a record of too many
// stops) leaves every byte of the file as it was, and says what happened.
TEST_F(RouteUpdate, AnUpdateThatFailsHalfWayLeavesTheFileByteForByte) {
  const std::string before = ReadFile(database_);
  {
    Connection updater;
    updater.Open(ConnectionStringFor(database_));
    const int pages = [&] {
      sqlite3_stmt* stmt = nullptr;
      sqlite3_prepare_v2(updater.Handle(), "pragma page_count", -1, &stmt, nullptr);
      sqlite3_step(stmt);
      const int n = sqlite3_column_int(stmt, 0);
      sqlite3_finalize(stmt);
      return n;
    }();
    ASSERT_EQ(sqlite3_exec(updater.Handle(), ("pragma max_page_count = " + std::to_string(pages + 1)).c_str(),
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    try {
      ReplaceRoutes(updater, Routes(2000, "很长的站名很长的站名"), {"西安", 20250101});
      ADD_FAILURE() << "a full disk went unnoticed";
    } catch (const DatabaseError& e) {
      EXPECT_EQ(e.Failure(), TDatabaseFailure::dfDiskFull) << e.Message();
      EXPECT_NE(e.Message().find("disk is full"), std::string::npos) << e.Message();
    }
    std::vector<RouteRecord> tooLong = Routes(2, "新");
    tooLong[1].stops.resize(kStopFields + 1, "站");
    EXPECT_THROW(ReplaceRoutes(updater, tooLong, {"西安", 20250101}), DatabaseError);
    EXPECT_EQ(Lines(updater).size(), 3u);
    EXPECT_EQ(ReadRouteDataInfo(updater).version, 20240101);
  }
  EXPECT_EQ(ReadFile(database_), before);
  EXPECT_FALSE(fs::exists(dir_.Path() / "xaway.db-journal"));
}

TEST_F(RouteUpdate, AReadOnlyDatabaseSaysSoAndIsNotTouched) {
  fs::permissions(database_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const std::string before = ReadFile(database_);
  {
    Connection updater;
    updater.Open(ConnectionStringFor(database_));
    ASSERT_TRUE(updater.ReadOnly());
    try {
      ReplaceRoutes(updater, ReadRouteFile(routeFile_).records, {"西安", 20240711});
      ADD_FAILURE() << "a read-only database was written";
    } catch (const DatabaseError& e) {
      EXPECT_EQ(e.Failure(), TDatabaseFailure::dfReadOnly) << e.Message();
    }
  }
  EXPECT_EQ(ReadFile(database_), before);
}

// A route file is a route database of the table's shape with at least one route; the info table
// is optional. Anything else is refused without being changed.
TEST(RouteFile, IsARouteDatabaseWithRoutesAndAnythingElseIsRefused) {
  bus::test::TempDir dir;
  const fs::path plain = dir.Path() / "plain.db";
  WriteRouteDatabase(plain, {{"1", {"甲", "乙", "", "丁", ""}}});  // trailing empty stops are dropped
  const RouteFile file = ReadRouteFile(plain);
  ASSERT_EQ(file.records.size(), 1u);
  EXPECT_EQ(file.records[0].stops, (std::vector<std::string>{"甲", "乙", "", "丁"}));
  EXPECT_EQ(file.info.city, "");
  EXPECT_EQ(file.info.version, 0);

  const fs::path empty = dir.Path() / "empty.db";
  WriteRouteDatabase(empty, {}, {"西安", 1});
  EXPECT_THROW(ReadRouteFile(empty), DatabaseError);

  const fs::path page = dir.Path() / "page.db";
  std::ofstream(page, std::ios::binary) << "<html><body><h1>404 Not Found</h1></body></html>";
  EXPECT_THROW(ReadRouteFile(page), DatabaseError);
  EXPECT_EQ(ReadFile(page), "<html><body><h1>404 Not Found</h1></body></html>");

  const fs::path other = dir.Path() / "other.db";
  sqlite3* db = nullptr;
  sqlite3_open(bus::test::Utf8(other).c_str(), &db);
  sqlite3_exec(db, "create table way (id integer primary key, no text, w0 text); insert into way values (1, '1', 'a')",
               nullptr, nullptr, nullptr);
  sqlite3_close(db);
  EXPECT_THROW(ReadRouteFile(other), DatabaseError);
  EXPECT_THROW(ReadRouteFile(dir.Path() / "missing.db"), DatabaseError);
  EXPECT_FALSE(fs::exists(dir.Path() / "missing.db"));
}

}  // namespace
