// The databases the build bundles hold every line of the route CSVs with every stop in running
// order: long lines spread over records that repeat one stop at each seam.
#include <gtest/gtest.h>

#include "db/Connection.h"
#include "db/Query.h"
#include "db/RouteTable.h"
#include "tests/support/TestSupport.h"
#include "tools/routeimport/RouteCsv.h"

namespace {

using bus::db::kRouteFields;
using bus::db::kStopFields;

std::vector<bus::db::RouteRecord> RecordsOf(const std::filesystem::path& file) {
  bus::db::Connection c;
  c.Open(bus::test::ConnectionStringFor(file));
  bus::db::Query q(c);
  q.SetStatement("select * from way order by id");
  q.Open();
  std::vector<bus::db::RouteRecord> records;
  for (int r = 0; r < q.RecordCount(); ++r, q.Next()) {
    bus::db::RouteRecord record{std::string(q.Value(1)), {}};
    for (int f = 2; f < kRouteFields && !q.Value(f).empty(); ++f) record.stops.emplace_back(q.Value(f));
    records.push_back(std::move(record));
  }
  return records;
}

void ExpectEveryStop(const char* csv, const char* db, size_t expectedLines, size_t expectedRecords) {
  const auto lines = bus::tools::ParseRouteCsv(bus::test::ReadFile(bus::test::RoutesSourceDir() / csv));
  const auto records = RecordsOf(bus::test::BinaryDir() / db);
  ASSERT_EQ(lines.size(), expectedLines);
  ASSERT_EQ(records.size(), expectedRecords);

  // walk the records line by line: each line's records, joined at their seams, give its stops back
  size_t next = 0, csvStops = 0, dbStops = 0;
  for (const auto& line : lines) {
    csvStops += line.stops.size();
    ASSERT_LT(next, records.size());
    std::vector<std::string> joined = records[next].stops;
    EXPECT_EQ(records[next].no, line.no);
    dbStops += records[next++].stops.size();
    while (joined.size() < line.stops.size()) {
      ASSERT_EQ(joined.size() % (kStopFields - 1), 1u) << "a continuation follows only a full record";
      ASSERT_LT(next, records.size());
      const auto& more = records[next++];
      EXPECT_EQ(more.no, line.no);
      ASSERT_FALSE(more.stops.empty());
      EXPECT_EQ(more.stops.front(), joined.back()) << "a continuation repeats the last stop";
      joined.insert(joined.end(), more.stops.begin() + 1, more.stops.end());
      dbStops += more.stops.size() - 1;
    }
    EXPECT_EQ(joined, line.stops) << "line " << line.no;
  }
  EXPECT_EQ(next, records.size());
  EXPECT_EQ(dbStops, csvStops);
}

// 32 Xi'an and 188 Beijing lines have more than 49 stops (up to 62 and 103).
TEST(BundledRoutes, XianDatabaseHoldsEveryLineAndStop) {
  ExpectEveryStop("xian_routes.csv", "xaway.db", 1181, 1181 + 32);
}

TEST(BundledRoutes, BeijingDatabaseHoldsEveryLineAndStop) {
  ExpectEveryStop("beijing_routes.csv", "bjway.db", 2467, 2657);
}

}  // namespace
