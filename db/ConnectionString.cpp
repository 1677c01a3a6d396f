#include "db/ConnectionString.h"

#include "core/TextUtil.h"

namespace bus::db {

namespace {

// Reads one value starting at text[pos] (after the '='), up to the next unquoted ';'.
// Advances pos past the ';'.
std::string ReadValue(std::string_view text, size_t& pos) {
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) {
    const char quote = text[pos++];
    std::string value;
    while (pos < text.size()) {
      if (text[pos] == quote) {
        if (pos + 1 < text.size() && text[pos + 1] == quote) {  // doubled quote
          value += quote;
          pos += 2;
          continue;
        }
        ++pos;
        break;
      }
      value += text[pos++];
    }
    while (pos < text.size() && text[pos] != ';') ++pos;  // anything after the quote is dropped
    if (pos < text.size()) ++pos;
    return value;
  }
  const size_t end = text.find(';', pos);
  std::string_view raw = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
  pos = end == std::string_view::npos ? text.size() : end + 1;
  return std::string(TrimBlanks(raw));
}

}  // namespace

ConnectionString ConnectionString::Parse(std::string_view text) {
  ConnectionString result;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t eq = text.find('=', pos);
    const size_t semi = text.find(';', pos);
    if (eq == std::string_view::npos || (semi != std::string_view::npos && semi < eq)) {
      // a piece without '=': skip it
      pos = semi == std::string_view::npos ? text.size() : semi + 1;
      continue;
    }
    const std::string_view key = TrimBlanks(text.substr(pos, eq - pos));
    pos = eq + 1;
    std::string value = ReadValue(text, pos);
    if (EqualsIgnoringAsciiCase(key, "Provider"))
      result.provider = std::move(value);
    else if (EqualsIgnoringAsciiCase(key, "Data Source"))
      result.dataSource = std::move(value);
    else if (EqualsIgnoringAsciiCase(key, "Persist Security Info"))
      result.persistSecurityInfo = std::move(value);
    else if (EqualsIgnoringAsciiCase(key, "Jet OLEDB:Database Password"))
      result.password = std::move(value);
  }
  return result;
}

std::string QuoteConnectionValue(std::string_view value) { return DoubleQuoted(value); }

}  // namespace bus::db
