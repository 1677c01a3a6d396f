#include "tools/readingsgen/UnihanReadings.h"

#include <algorithm>
#include <array>

#include "core/Exception.h"
#include "core/TextEncoding.h"

namespace bus::tools {

namespace {

// The fields read, in the order their readings are taken.
constexpr std::array<std::string_view, 4> kFields = {"kMandarin", "kHanyuPinyin", "kXHC1983", "kTGHZ2013"};

// The letter a pinyin letter with a tone mark (or ü, ê) stands for; 0 for anything else.
char BaseLetter(char32_t c) {
  struct Fold {
    std::u32string_view marked;
    char base;
  };
  static constexpr std::array<Fold, 8> kFolds = {{
      {U"āáǎà", 'a'}, {U"ēéěèêếề", 'e'}, {U"īíǐì", 'i'}, {U"ōóǒò", 'o'},
      {U"ūúǔù", 'u'}, {U"üǖǘǚǜ", 'v'},   {U"ńňǹ", 'n'},  {U"ḿ", 'm'},
  }};
  for (const Fold& fold : kFolds)
    if (fold.marked.find(c) != std::u32string_view::npos) return fold.base;
  return 0;
}

bool IsCombiningMark(char32_t c) { return c >= 0x300 && c <= 0x36F; }

void AddReading(std::vector<std::string>& readings, std::string reading) {
  if (std::find(readings.begin(), readings.end(), reading) == readings.end()) readings.push_back(std::move(reading));
}

// The syllables of one field value: kMandarin "zhǎng" or "lǜ lù"; the dictionary fields
// "20811.060:háng,xìng" or "0121.040:cháng 1456.020:zhǎng" (a '*' may mark an entry).
std::vector<std::string_view> Syllables(std::string_view value) {
  std::vector<std::string_view> syllables;
  size_t start = 0;
  while (start < value.size()) {
    size_t end = value.find(' ', start);
    if (end == std::string_view::npos) end = value.size();
    std::string_view entry = value.substr(start, end - start);
    if (const size_t colon = entry.rfind(':'); colon != std::string_view::npos) entry.remove_prefix(colon + 1);
    size_t from = 0;
    while (from <= entry.size()) {
      size_t comma = entry.find(',', from);
      if (comma == std::string_view::npos) comma = entry.size();
      std::string_view syllable = entry.substr(from, comma - from);
      while (!syllable.empty() && syllable.back() == '*') syllable.remove_suffix(1);
      if (!syllable.empty()) syllables.push_back(syllable);
      from = comma + 1;
    }
    start = end + 1;
  }
  return syllables;
}

char32_t ParseCodePoint(std::string_view text, int lineNumber) {
  if (text.size() < 6 || text.size() > 8 || !text.starts_with("U+"))
    throw Exception("Unihan readings line " + std::to_string(lineNumber) + ": no code point");
  char32_t c = 0;
  for (char h : text.substr(2)) {
    const int digit = h >= '0' && h <= '9' ? h - '0' : h >= 'A' && h <= 'F' ? h - 'A' + 10 : -1;
    if (digit < 0) throw Exception("Unihan readings line " + std::to_string(lineNumber) + ": no code point");
    c = c * 16 + char32_t(digit);
  }
  return c;
}

}  // namespace

std::optional<std::string> TonelessPinyin(std::string_view syllable) {
  std::string plain;
  for (size_t i = 0; i < syllable.size();) {
    char32_t c = 0;
    if (!DecodeUtf8(syllable, i, c)) return std::nullopt;
    if (c >= 'a' && c <= 'z') {
      plain += char(c);
    } else if (c >= 'A' && c <= 'Z') {
      plain += char(c - 'A' + 'a');
    } else if (const char base = BaseLetter(c)) {
      plain += base;
    } else if (!IsCombiningMark(c)) {
      return std::nullopt;
    }
  }
  if (plain.empty()) return std::nullopt;
  return plain;
}

ReadingMap ReadUnihanReadings(std::istream& in) {
  // Per character, the syllables of each field in kFields order; the file sorts fields by name.
  std::map<char32_t, std::array<std::vector<std::string>, kFields.size()>> byField;
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const size_t tab1 = line.find('\t');
    const size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
    if (tab2 == std::string::npos) continue;
    const std::string_view view(line);
    const std::string_view field = view.substr(tab1 + 1, tab2 - tab1 - 1);
    const auto which = std::find(kFields.begin(), kFields.end(), field);
    if (which == kFields.end()) continue;
    const char32_t c = ParseCodePoint(view.substr(0, tab1), lineNumber);
    auto& readings = byField[c][size_t(which - kFields.begin())];
    for (std::string_view syllable : Syllables(view.substr(tab2 + 1)))
      if (auto plain = TonelessPinyin(syllable)) AddReading(readings, std::move(*plain));
  }
  ReadingMap map;
  for (auto& [c, fields] : byField) {
    std::vector<std::string> readings;
    for (auto& field : fields)
      for (std::string& reading : field) AddReading(readings, std::move(reading));
    if (!readings.empty()) map.emplace(c, std::move(readings));
  }
  return map;
}

void WriteReadingsTable(const ReadingMap& map, std::string_view source, std::ostream& out) {
  std::vector<std::string> syllables;
  for (const auto& [c, readings] : map) syllables.insert(syllables.end(), readings.begin(), readings.end());
  std::sort(syllables.begin(), syllables.end());
  syllables.erase(std::unique(syllables.begin(), syllables.end()), syllables.end());
  if (syllables.size() >= (size_t(1) << kSyllableBits))
    throw Exception("too many distinct syllables for the readings table: " + std::to_string(syllables.size()));
  const auto index = [&](const std::string& s) {
    return uint32_t(std::lower_bound(syllables.begin(), syllables.end(), s) - syllables.begin());
  };
  size_t most = 0;
  for (const auto& [c, readings] : map) most = std::max(most, readings.size());
  out << "// Generated at build time by readingsgen from " << source << ". Do not edit.\n"
      << "// " << map.size() << " characters, " << syllables.size() << " syllables.\n"
      << "inline constexpr int kMostReadings = " << most << ";\n"
      << "inline constexpr int kSyllableBits = " << kSyllableBits << ";\n"
      << "inline constexpr std::string_view kSyllables[] = {";
  for (size_t i = 0; i < syllables.size(); ++i) out << (i % 12 == 0 ? "\n  " : " ") << '"' << syllables[i] << "\",";
  out << "\n};\n";
  const auto writeWords = [&](const char* name, bool first) {
    out << "inline constexpr std::uint32_t " << name << "[] = {";
    size_t n = 0;
    for (const auto& [c, readings] : map) {
      for (size_t r = first ? 0 : 1; r < (first ? 1 : readings.size()); ++r) {
        out << (n++ % 8 == 0 ? "\n  " : " ") << "0x" << std::hex << ((uint32_t(c) << kSyllableBits) | index(readings[r]))
            << std::dec << "u,";
      }
    }
    if (n == 0) out << "0u";  // an array may not be empty; code point 0 is never looked up
    out << "\n};\n";
  };
  writeWords("kFirstReadings", true);
  writeWords("kFurtherReadings", false);
}

}  // namespace bus::tools
