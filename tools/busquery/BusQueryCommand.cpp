#include "tools/busquery/BusQueryCommand.h"

#include <new>

#include "search/RouteSearch.h"
#include "search/StopIndex.h"
#include "search/TransferPlans.h"
#include "core/Exception.h"
#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "db/Query.h"
#include "db/RouteConfig.h"

namespace bus::tools {

namespace {

constexpr const char* kUsage =
    "usage: busquery [--db FILE] [--exact] stop TEXT | line TEXT | between FROM TO | plans FROM TO | suggest TEXT\n";

struct Arguments {
  std::string dbFile;  // --db FILE, empty without it
  bool exact = false;  // --exact
  std::string command;
  std::vector<std::string> texts;  // one for stop and line, two for between and plans
};

// Options come first; the command word ends them, so a text may begin with "--".
bool Parse(const std::vector<std::string>& args, Arguments& parsed) {
  size_t i = 0;
  bool haveDb = false;
  for (; i < args.size() && args[i].starts_with("--"); ++i) {
    if (args[i] == "--exact") {
      parsed.exact = true;
    } else if (args[i] == "--db" && i + 1 < args.size() && !haveDb) {
      parsed.dbFile = args[++i];
      haveDb = true;
      if (parsed.dbFile.empty()) return false;
    } else {
      return false;
    }
  }
  if (i == args.size()) return false;
  parsed.command = args[i++];
  parsed.texts.assign(args.begin() + long(i), args.end());
  const size_t wanted = parsed.command == "stop" || parsed.command == "line" || parsed.command == "suggest" ? 1
                        : parsed.command == "between" || parsed.command == "plans" ? 2
                                                                                    : 0;
  return wanted != 0 && parsed.texts.size() == wanted;
}

// The record's fields after the key (no, w0 ... w48), tab-separated, empty ones at the end left out.
void WriteRecords(db::Query& query, std::ostream& out) {
  query.First();
  for (int r = 0; r < query.RecordCount(); ++r, query.Next()) {
    int last = query.FieldCount() - 1;
    while (last > 1 && query.Value(last).empty()) --last;
    for (int f = 1; f <= last; ++f) {
      if (f > 1) out << '\t';
      out << query.Value(f);
    }
    out << '\n';
  }
}

constexpr std::string_view KindWord(search::StopKeyKind kind) {
  switch (kind) {
    case search::StopKeyKind::Name: return "name";
    case search::StopKeyKind::Pinyin: return "pinyin";
    case search::StopKeyKind::Initials: return "initials";
  }
  return "";
}

// The ranked suggestions: name, the key that matched, its kind, how it matched, the lines.
void WriteSuggestions(db::Connection& connection, std::string_view text, std::ostream& out) {
  const search::StopIndex index = search::StopIndex::FromDatabase(connection);
  for (const search::StopSuggestion& s : index.Suggest(text)) {
    out << s.name << '\t' << s.key << '\t' << KindWord(s.kind) << '\t' << (s.startsWith ? "starts" : "contains")
        << '\t' << s.lines << '\n';
  }
}

}  // namespace

int RunBusQuery(const std::vector<std::string>& args, const std::string& programDirectory, std::ostream& out,
                std::ostream& err) {
  Arguments a;
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    out << kUsage;
    return kExitOk;
  }
  if (!Parse(args, a)) {
    err << kUsage;
    return kExitUsage;
  }
  const search::MatchMode mode = a.exact ? search::MatchMode::Exact : search::MatchMode::Fuzzy;
  try {
    db::Connection connection;
    if (a.dbFile.empty())
      connection.Open(db::RouteConnectionString(programDirectory, db::ReadDbName(programDirectory)));
    else
      connection.Open(std::string("Provider=") + std::string(db::kJetProvider) +
                      ";Data Source=" + db::QuoteConnectionValue(a.dbFile));
    db::Query query(connection);
    if (a.command == "stop") {
      out << search::StopSearch(query, a.texts[0], mode) << '\n';
      WriteRecords(query, out);
    } else if (a.command == "line") {
      out << search::LineSearch(query, a.texts[0], mode) << '\n';
      WriteRecords(query, out);
    } else if (a.command == "between") {
      out << search::TwoStopSearch(query, a.texts[0], a.texts[1], mode).statusText << '\n';
      WriteRecords(query, out);
    } else if (a.command == "suggest") {
      WriteSuggestions(connection, a.texts[0], out);
    } else {
      const search::TransferPlans plans = search::FindTransferPlans(query, a.texts[0], a.texts[1], mode);
      out << plans.statusText << '\n';
      for (const std::string& sentence : plans.sentences) out << sentence << '\n';
    }
    out.flush();
    if (!out) {
      err << "busquery: cannot write the output\n";
      return kExitDatabaseError;
    }
    return kExitOk;
  } catch (const Exception& e) {
    err << "busquery: " << e.Message() << '\n';
  } catch (const std::bad_alloc&) {
    err << "busquery: out of memory\n";
  }
  return kExitDatabaseError;
}

}  // namespace bus::tools
