#include "core/IniFile.h"

#include <fstream>
#include <iterator>

#include "core/TextEncoding.h"
#include "core/TextUtil.h"

namespace bus {

std::string IniValue(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view fallback) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  bool inSection = false;
  bool seenSection = false;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = TrimBlanks(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      if (close == std::string_view::npos) continue;
      // once the first matching section has ended, later ones are not consulted
      if (inSection) return std::string(fallback);
      inSection = !seenSection && EqualsIgnoringAsciiCase(TrimBlanks(line.substr(1, close - 1)), section);
      seenSection = seenSection || inSection;
      continue;
    }
    if (!inSection) continue;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    if (!EqualsIgnoringAsciiCase(TrimBlanks(line.substr(0, eq)), key)) continue;
    std::string_view value = TrimBlanks(line.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return std::string(value);
  }
  return std::string(fallback);
}

std::string IniFileValue(const std::filesystem::path& path, std::string_view section,
                         std::string_view key, std::string_view fallback) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::string(fallback);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return IniValue(TextFileToUtf8(bytes), section, key, fallback);
}

}  // namespace bus
