// What the search tests share: reading a result's line numbers and keys, and a plain scan of every
// record that says which records a search must find.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "search/RouteSearch.h"
#include "db/Connection.h"
#include "tests/support/TestSupport.h"

namespace bus::db {
class Query;
}

namespace bus::test {

// (line number, stops) of each record, in table order.
using Routes = std::vector<std::pair<std::string, std::vector<std::string>>>;

// A test with a route database of its own.
class RouteDatabaseTest : public ::testing::Test {
protected:
  // (Re)writes the database with routes and connects to it.
  void Open(const Routes& routes);

  TempDir dir;               // holds the database file
  db::Connection connection; // connected by Open()
};

// Every record of table way, each as its 51 field values (id, no, w0 .. w48), in table order.
using RouteRows = std::vector<std::vector<std::string>>;
RouteRows ReadAllRoutes(db::Connection& connection);

// The line numbers, and the keys, of a query's result in result order.
std::vector<std::string> LineNumbers(db::Query& query);
std::vector<int> Ids(db::Query& query);

// Whether value matches text: contains it (fuzzy) or equals it (exact), ASCII letters in any case.
bool FieldMatches(std::string_view value, std::string_view text, search::MatchMode mode);

// Keys of the records some field of which matches text (and, when given, some field matches also).
std::vector<int> MatchingRecords(const RouteRows& rows, std::string_view text, search::MatchMode mode,
                                 const char* also = nullptr);

}  // namespace bus::test
