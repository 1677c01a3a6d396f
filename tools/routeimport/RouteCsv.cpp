#include "tools/routeimport/RouteCsv.h"

#include "core/Exception.h"

namespace bus::tools {

namespace {

[[noreturn]] void Fail(size_t line, const std::string& what) {
  throw Exception("route CSV line " + std::to_string(line) + ": " + what);
}

// Splits one CSV record starting at text[pos]; advances pos past its line end. line counts the
// physical lines the record spans (a quoted field may hold line breaks).
std::vector<std::string> ReadRecord(std::string_view text, size_t& pos, size_t& line) {
  std::vector<std::string> fields(1);
  const size_t startLine = line;
  bool quoted = false;
  while (pos < text.size()) {
    const char c = text[pos++];
    if (quoted) {
      if (c == '"') {
        if (pos < text.size() && text[pos] == '"') { fields.back() += '"'; ++pos; }
        else quoted = false;
      } else {
        if (c == '\n') ++line;
        fields.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else if (c == '\n') {
      ++line;
      break;
    } else if (c != '\r') {
      fields.back() += c;
    }
  }
  if (quoted) Fail(startLine, "unterminated quote");
  return fields;
}

std::vector<std::string> SplitStops(const std::string& joined) {
  std::vector<std::string> stops;
  size_t start = 0;
  while (start <= joined.size()) {
    size_t end = joined.find('|', start);
    if (end == std::string::npos) end = joined.size();
    if (end > start) stops.push_back(joined.substr(start, end - start));
    start = end + 1;
  }
  return stops;
}

}  // namespace

std::vector<RouteLine> ParseRouteCsv(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  size_t pos = 0, line = 1;
  const std::vector<std::string> header = ReadRecord(text, pos, line);
  if (header.size() != 2 || header[0] != "no" || header[1] != "stops")
    Fail(1, "expected the header \"no,stops\"");
  std::vector<RouteLine> lines;
  while (pos < text.size()) {
    const size_t recordLine = line;
    std::vector<std::string> fields = ReadRecord(text, pos, line);
    if (fields.size() == 1 && fields[0].empty()) continue;  // blank line
    if (fields.size() != 2) Fail(recordLine, "expected two fields, found " + std::to_string(fields.size()));
    if (fields[0].empty()) Fail(recordLine, "empty line number");
    lines.push_back({std::move(fields[0]), SplitStops(fields[1])});
  }
  return lines;
}

}  // namespace bus::tools
