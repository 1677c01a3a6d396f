// Any bytes as a "like" pattern and a text: matching never fails, hangs or reads out of bounds, and
// on valid UTF-8 it answers exactly as the database engine's own like does.
//
// Input: one byte choosing the escape, then the pattern, a 0xFF byte (never part of UTF-8), the text.
#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "db/LikePattern.h"

namespace {

// Valid UTF-8, without U+FFFE and U+FFFF (the engine reads those two as U+FFFD).
bool ValidUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    size_t n;
    char32_t c;
    if (b < 0x80) { ++i; continue; }
    if (b >= 0xC2 && b <= 0xDF) { n = 1; c = b & 0x1F; }
    else if (b >= 0xE0 && b <= 0xEF) { n = 2; c = b & 0x0F; }
    else if (b >= 0xF0 && b <= 0xF4) { n = 3; c = b & 0x07; }
    else return false;
    for (size_t k = 1; k <= n; ++k) {
      if (i + k >= s.size()) return false;
      const auto cb = static_cast<unsigned char>(s[i + k]);
      if ((cb & 0xC0) != 0x80) return false;
      c = (c << 6) | (cb & 0x3F);
    }
    if ((n == 2 && c < 0x800) || (n == 3 && (c < 0x10000 || c > 0x10FFFF)) || (c >= 0xD800 && c <= 0xDFFF) ||
        c == 0xFFFE || c == 0xFFFF)
      return false;
    i += n + 1;
  }
  return true;
}

bool EngineLike(std::string_view pattern, std::string_view text, std::string_view escape) {
  static sqlite3* db = [] {
    sqlite3* d = nullptr;
    sqlite3_open(":memory:", &d);
    return d;
  }();
  static sqlite3_stmt* stmt = [] {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "select ?2 like ?1 escape ?3", -1, &s, nullptr);
    return s;
  }();
  sqlite3_reset(stmt);
  // a null pointer would bind SQL NULL: empty texts need a real one
  const auto bind = [](int index, std::string_view s) {
    sqlite3_bind_text(stmt, index, s.empty() ? "" : s.data(), int(s.size()), SQLITE_STATIC);
  };
  bind(1, pattern);
  bind(2, text);
  bind(3, escape);
  if (sqlite3_step(stmt) != SQLITE_ROW) std::abort();
  return sqlite3_column_int(stmt, 0) != 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const char* const escapes[] = {"\\", "%", "_", "a", "楼", "é"};
  const std::string escape = escapes[data[0] % 6];
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const size_t split = rest.find('\xFF');
  const std::string_view pattern = rest.substr(0, split);
  std::string_view text = split == std::string_view::npos ? std::string_view() : rest.substr(split + 1);
  text = text.substr(0, text.find('\0'));

  const bool ours = bus::db::LikePattern(pattern, escape).Matches(text);
  // the engine refuses patterns beyond its hard limit; compare only what it answers
  if (pattern.size() < 50000 && ValidUtf8(pattern.substr(0, pattern.find('\0'))) && ValidUtf8(text) &&
      ours != EngineLike(pattern, text, escape))
    std::abort();
  return 0;
}
