#include "tests/search/SearchTestSupport.h"

#include "core/TextUtil.h"
#include "db/Connection.h"
#include "db/Query.h"

namespace bus::test {

void RouteDatabaseTest::Open(const Routes& routes) {
  connection.Close();
  const auto file = dir.Path() / "routes.db";
  WriteRoutes(file, routes);
  connection.Open(ConnectionStringFor(file));
}

RouteRows ReadAllRoutes(db::Connection& connection) {
  db::Query q(connection);
  q.SetStatement("select * from way order by id");
  q.Open();
  RouteRows rows;
  for (int r = 0; r < q.RecordCount(); ++r, q.Next()) {
    std::vector<std::string> row;
    for (int f = 0; f < q.FieldCount(); ++f) row.emplace_back(q.Value(f));
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<std::string> LineNumbers(db::Query& query) {
  std::vector<std::string> out;
  query.First();
  for (int r = 0; r < query.RecordCount(); ++r, query.Next()) out.emplace_back(query.Value(1));
  return out;
}

std::vector<int> Ids(db::Query& query) {
  std::vector<int> out;
  query.First();
  for (int r = 0; r < query.RecordCount(); ++r, query.Next()) out.push_back(std::stoi(std::string(query.Value(0))));
  return out;
}

bool FieldMatches(std::string_view value, std::string_view text, search::MatchMode mode) {
  const std::string v = AsciiLower(value), t = AsciiLower(text);
  return mode == search::MatchMode::Exact ? v == t : v.find(t) != std::string::npos;
}

std::vector<int> MatchingRecords(const RouteRows& rows, std::string_view text, search::MatchMode mode, const char* also) {
  const auto anyField = [&](const std::vector<std::string>& row, std::string_view t) {
    for (const std::string& v : row)
      if (FieldMatches(v, t, mode)) return true;
    return false;
  };
  std::vector<int> ids;
  for (const auto& row : rows)
    if (anyField(row, text) && (also == nullptr || anyField(row, also))) ids.push_back(std::stoi(row[0]));
  return ids;
}

}  // namespace bus::test
