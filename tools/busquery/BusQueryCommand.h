// busquery: the program's searches from a command line, for scripts and for use without a display.
//
//   busquery [--db FILE] [--exact] stop TEXT | line TEXT | between FROM TO | plans FROM TO | suggest TEXT
//
// --db names the route database file; without it the program's own config.ini beside the executable
// names it (dbName), exactly as the program finds it. --exact switches from substring to whole-value
// matching. Output, UTF-8, one "\n" per line: the status text the program would show (an empty line
// for "line"; for "between" also when no line serves both stops), then one line per record in result
// order, its fields no, w0 ... w48 joined by tabs with the empty fields at the end left out; for
// "plans" one line per plan sentence instead (its trailing blank kept). "between" never goes on to
// plans. "suggest" prints the stop names the program suggests for TEXT, best first, one per line:
// the name, the key that matched (the name, its pinyin or its initials, lower case), that key's kind
// ("name", "pinyin", "initials"), "starts" or "contains", and the number of lines serving the stop,
// tab-separated; nothing when no stop matches (--exact does not apply). Exit status 0; on a database error the error's text on stderr and 1; on bad arguments a
// usage message on stderr and 2.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace bus::tools {

inline constexpr int kExitOk = 0;
inline constexpr int kExitDatabaseError = 1;
inline constexpr int kExitUsage = 2;

// Runs busquery on args (UTF-8, without the program name). programDirectory ends in a path
// separator and is where config.ini is looked for. Returns the exit status.
int RunBusQuery(const std::vector<std::string>& args, const std::string& programDirectory, std::ostream& out,
                std::ostream& err);

}  // namespace bus::tools
