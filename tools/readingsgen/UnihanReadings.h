// The Mandarin readings of the Han characters, read from the Unihan database's readings file, and
// the compiled-in table the stop index looks them up in.
//
// A reading is toneless lower-case pinyin with ü written as v ("zhong", "lv"). A character's
// readings come from these fields, in this order, each reading once: kMandarin (the customary
// reading first), kHanyuPinyin, kXHC1983 and kTGHZ2013. The last two are the modern dictionaries:
// without them a simplified character such as 长 would miss readings that only its traditional
// form lists in kHanyuPinyin (cháng beside zhǎng).
#pragma once

#include <cstdint>
#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace bus::tools {

// Every character with at least one reading, by code point.
using ReadingMap = std::map<char32_t, std::vector<std::string>>;

// One pinyin syllable as the file writes it ("zhōng", "lǜ", "ê̄") without its tone and with ü as v
// ("zhong", "lv", "e"); nullopt when it holds anything but letters of pinyin.
std::optional<std::string> TonelessPinyin(std::string_view syllable);

// Reads the Unihan readings file. Lines of other fields, comments and empty lines are skipped; a
// syllable that is no pinyin is left out. Throws bus::Exception on a malformed line of a field it
// reads.
ReadingMap ReadUnihanReadings(std::istream& in);

// Writes map as a C++ header: the most readings one character has (kMostReadings), the syllables once each (kSyllables), and per character one 32-bit
// word (code point << 11 | syllable index), sorted by code point, for its first reading
// (kFirstReadings) and for each further one (kFurtherReadings, in reading order). Throws
// bus::Exception when there are more syllables than the 11 bits hold.
void WriteReadingsTable(const ReadingMap& map, std::string_view source, std::ostream& out);

// Bits of a table word below the code point.
inline constexpr int kSyllableBits = 11;

}  // namespace bus::tools
