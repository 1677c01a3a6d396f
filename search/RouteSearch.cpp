#include "search/RouteSearch.h"

#include "db/Connection.h"
#include "db/Query.h"

namespace bus::search {

namespace {

// The escape character of every "like" pattern we build.
constexpr char kLikeEscape = '\\';

// "%" + text + "%" with the pattern characters of text escaped, so that it matches exactly the
// values that contain text.
std::string ContainsPattern(std::string_view text) {
  std::string pattern;
  pattern.reserve(text.size() + 2);
  pattern += '%';
  for (char c : text) {
    if (c == '%' || c == '_' || c == kLikeEscape) pattern += kLikeEscape;
    pattern += c;
  }
  pattern += '%';
  return pattern;
}

// One term comparing field with text, appended to condition.
//   fuzzy:  field like ? escape '\'          (like ignores ASCII letter case)
//   exact:  field = ? collate nocase        (nocase folds ASCII letters only, as like does)
void AppendTerm(Condition& condition, std::string_view field, std::string_view text, MatchMode mode) {
  condition.text.append(field);
  if (mode == MatchMode::Exact) {
    condition.text.append(" = ? collate nocase");
    condition.parameters.emplace_back(text);
  } else {
    condition.text.append(" like ? escape '\\'");
    condition.parameters.push_back(ContainsPattern(text));
  }
}

void Run(db::Query& query, std::string sql, std::vector<std::string> parameters) {
  query.Close();
  query.SetStatement(std::move(sql), std::move(parameters));
  query.Open();
}

// The head of the stop and two-stop statements (two blanks after "where").
constexpr std::string_view kSelectWhere = "select * from way where  ";

}  // namespace

std::vector<std::string> RouteFieldNames(const db::Connection& connection) {
  return connection.FieldNames("select * from way");
}

Condition AllFieldCondition(const std::vector<std::string>& fieldNames, std::string_view text, MatchMode mode) {
  Condition condition;
  for (size_t i = 0; i < fieldNames.size(); ++i) {
    if (i != 0) condition.text += " or ";
    AppendTerm(condition, fieldNames[i], text, mode);
  }
  return condition;
}

void RunAllFieldSearch(db::Query& query, std::string_view text, MatchMode mode) {
  Condition condition = AllFieldCondition(RouteFieldNames(query.connection()), text, mode);
  Run(query, std::string(kSelectWhere) + condition.text, std::move(condition.parameters));
}

std::string StopSearch(db::Query& qry, std::string_view text, MatchMode mode) {
  RunAllFieldSearch(qry, text, mode);
  std::string status = "查询结果：经过 ";
  status.append(text).append(" 的公交车有：").append(std::to_string(qry.RecordCount())).append("辆");
  return status;
}

std::string LineSearch(db::Query& qry, std::string_view text, MatchMode mode) {
  Condition condition;
  AppendTerm(condition, "[no]", text, mode);
  Run(qry, "select * from way where " + condition.text, std::move(condition.parameters));
  return {};
}

DirectLines TwoStopSearch(db::Query& qry, std::string_view from, std::string_view to, MatchMode mode) {
  const std::vector<std::string> fields = RouteFieldNames(qry.connection());
  Condition a = AllFieldCondition(fields, from, mode);
  Condition b = AllFieldCondition(fields, to, mode);
  std::string sql = std::string(kSelectWhere) + "(" + a.text + ") and (" + b.text + ")";
  a.parameters.insert(a.parameters.end(), std::make_move_iterator(b.parameters.begin()),
                      std::make_move_iterator(b.parameters.end()));
  Run(qry, std::move(sql), std::move(a.parameters));

  DirectLines direct;
  direct.count = qry.RecordCount();
  direct.statusText = "查询结果：从 ";
  direct.statusText.append(from).append(" 到 ").append(to).append(" 的公交车有：");
  direct.statusText.append(std::to_string(direct.count)).append("辆");
  return direct;
}

}  // namespace bus::search
