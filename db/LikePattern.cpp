#include "db/LikePattern.h"

#include <algorithm>
#include <cassert>

namespace bus::db {

namespace {

constexpr unsigned char Lower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

// The end of the character that starts at pos: a lead byte (0xC0 and above) takes every
// continuation byte after it; any other byte is a character of its own.
size_t NextChar(std::string_view s, size_t pos) {
  if (static_cast<unsigned char>(s[pos++]) >= 0xC0)
    while (pos < s.size() && (static_cast<unsigned char>(s[pos]) & 0xC0) == 0x80) ++pos;
  return pos;
}

std::string_view UpToNul(std::string_view s) { return s.substr(0, s.find('\0')); }

}  // namespace

LikePattern::LikePattern(std::string_view pattern, std::string_view escape)
    : source_(UpToNul(pattern)), escape_(escape) {
  pattern = source_;
  segments_.emplace_back();
  for (size_t pos = 0; pos < pattern.size();) {
    size_t end = NextChar(pattern, pos);
    std::string_view ch = pattern.substr(pos, end - pos);
    if (!escape.empty() && ch == escape) {
      if (end == pattern.size()) {
        never_ = true;
        return;
      }
      pos = end;
      end = NextChar(pattern, pos);
      ch = pattern.substr(pos, end - pos);
    } else if (ch == "%") {
      segments_.emplace_back();
      pos = end;
      continue;
    } else if (ch == "_") {
      Segment& s = segments_.back();
      s.bytes += '_';
      s.anyChar.resize(s.bytes.size(), false);
      s.anyChar.back() = true;
      s.hasWildcard = true;
      pos = end;
      continue;
    }
    Segment& s = segments_.back();
    for (char c : ch) s.bytes += static_cast<char>(Lower(static_cast<unsigned char>(c)));
    s.anyChar.resize(s.bytes.size(), false);
    pos = end;
  }
  contains_ = segments_.size() == 3 && segments_[0].bytes.empty() && segments_[2].bytes.empty() &&
              !segments_[1].hasWildcard;
  for (Segment& s : segments_) {
    if (s.hasWildcard || s.bytes.empty()) continue;
    const size_t last = s.bytes.size() - 1;
    s.shift.fill(std::uint8_t(std::min<size_t>(s.bytes.size(), 255)));
    for (size_t i = last > 254 ? last - 254 : 0; i < last; ++i)
      s.shift[static_cast<unsigned char>(s.bytes[i])] = std::uint8_t(last - i);
  }
}

long LikePattern::MatchAt(const Segment& s, std::string_view text, size_t pos) {
  const size_t start = pos;
  for (size_t j = 0; j < s.bytes.size(); ++j) {
    if (pos >= text.size()) return -1;
    if (s.hasWildcard && s.anyChar[j]) {
      pos = NextChar(text, pos);
      continue;
    }
    if (Lower(static_cast<unsigned char>(text[pos])) != static_cast<unsigned char>(s.bytes[j])) return -1;
    ++pos;
  }
  return long(pos - start);
}

std::pair<size_t, size_t> LikePattern::Find(const Segment& s, std::string_view text, size_t pos) {
  if (s.bytes.empty()) return {pos, pos};
  if (!s.hasWildcard && s.bytes.size() <= 2) {
    // a digit or two, a letter or two: find the first byte (in either case) with the library's
    // byte search, then check the second
    const unsigned char first = static_cast<unsigned char>(s.bytes[0]);
    const unsigned char upper = first >= 'a' && first <= 'z' ? first - ('a' - 'A') : first;
    while (pos < text.size()) {
      const size_t lowerAt = text.find(char(first), pos);
      const size_t at = upper == first ? lowerAt : std::min(lowerAt, text.find(char(upper), pos));
      if (at == std::string_view::npos || at + s.bytes.size() > text.size()) break;
      if (s.bytes.size() == 1 || Lower(static_cast<unsigned char>(text[at + 1])) == static_cast<unsigned char>(s.bytes[1]))
        return {at, at + s.bytes.size()};
      pos = at + 1;
    }
    return {std::string_view::npos, std::string_view::npos};
  }
  if (!s.hasWildcard) {
    // Horspool: compare from the run's last byte backwards, then move on by the shift of the
    // text's byte under the last one
    const size_t m = s.bytes.size();
    const auto* needle = reinterpret_cast<const unsigned char*>(s.bytes.data());
    const auto* hay = reinterpret_cast<const unsigned char*>(text.data());
    for (size_t at = pos; at + m <= text.size();) {
      const unsigned char tail = Lower(hay[at + m - 1]);
      if (tail == needle[m - 1]) {
        size_t i = m - 1;
        while (i > 0 && Lower(hay[at + i - 1]) == needle[i - 1]) --i;
        if (i == 0) return {at, at + m};
      }
      at += s.shift[tail];
    }
    return {std::string_view::npos, std::string_view::npos};
  }
  // A wildcard: try each character start, skipping quickly to the places where the first byte can
  // match when it is a literal.
  const bool literalFirst = !(s.hasWildcard && s.anyChar[0]);
  const auto first = static_cast<unsigned char>(s.bytes[0]);
  while (pos < text.size()) {
    if (literalFirst) {
      size_t next = pos;
      while (next < text.size() && Lower(static_cast<unsigned char>(text[next])) != first) ++next;
      if (next == text.size()) break;
      // a match starts on a character boundary: step there from pos
      while (pos < next) pos = NextChar(text, pos);
      if (pos != next) continue;
    }
    const long n = MatchAt(s, text, pos);
    if (n >= 0) return {pos, pos + size_t(n)};
    pos = NextChar(text, pos);
  }
  return {std::string_view::npos, std::string_view::npos};
}

bool LikePattern::Matches(std::string_view text) const {
  assert(text.find('\0') == std::string_view::npos);
  if (contains_) return Find(segments_[1], text, 0).first != std::string_view::npos;
  if (never_) return false;
  if (segments_.size() == 1) return MatchAt(segments_[0], text, 0) == long(text.size());

  const long head = MatchAt(segments_.front(), text, 0);
  if (head < 0) return false;
  size_t pos = size_t(head);
  for (size_t i = 1; i + 1 < segments_.size(); ++i) {
    const auto [start, end] = Find(segments_[i], text, pos);
    if (start == std::string_view::npos) return false;
    pos = end;
  }
  // the last run must end where the text ends, starting at or after pos
  const Segment& last = segments_.back();
  if (last.bytes.empty()) return true;
  if (!last.hasWildcard) {
    if (text.size() - pos < last.bytes.size()) return false;
    const size_t start = text.size() - last.bytes.size();
    // on a character boundary reachable from pos
    size_t at = pos;
    while (at < start) at = NextChar(text, at);
    return at == start && MatchAt(last, text, start) == long(last.bytes.size());
  }
  for (size_t at = pos; at < text.size(); at = NextChar(text, at))
    if (MatchAt(last, text, at) == long(text.size() - at)) return true;
  return false;
}

}  // namespace bus::db
