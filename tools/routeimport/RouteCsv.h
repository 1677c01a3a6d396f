// The route CSV files: a header line "no,stops", then one line per direction or variant of a bus
// line: the line number, a comma, and the stops in running order joined by '|'. Fields may be
// quoted CSV-style ("..." with "" for a quote). UTF-8; a leading byte-order mark is skipped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bus::tools {

struct RouteLine {
  std::string no;                  // line number
  std::vector<std::string> stops;  // in running order; empty names are dropped
};

// Parses the whole file text. Throws bus::Exception naming the line for a missing or wrong
// header, a line without two fields, an unterminated quote or an empty line number.
std::vector<RouteLine> ParseRouteCsv(std::string_view text);

}  // namespace bus::tools
