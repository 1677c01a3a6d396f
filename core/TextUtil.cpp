#include "core/TextUtil.h"

namespace bus {

namespace {
constexpr char LowerAscii(char c) noexcept { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }
}  // namespace

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

namespace {
// s without leading and trailing characters for which trimmed is true.
template <class Pred>
std::string_view TrimBy(std::string_view s, Pred trimmed) noexcept {
  while (!s.empty() && trimmed(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && trimmed(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}
}  // namespace

std::string_view TrimBlanks(std::string_view s) noexcept {
  return TrimBy(s, [](unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

std::string_view TrimControl(std::string_view s) noexcept {
  return TrimBy(s, [](unsigned char c) { return c <= 32; });
}

std::string DoubleQuoted(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

std::string AsciiUpper(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  }
  return out;
}

}  // namespace bus
