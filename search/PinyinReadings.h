// The Mandarin readings of the Han characters, from the table generated at build time out of the
// Unihan database (tools/readingsgen). A reading is toneless lower-case pinyin with ü written as v.
#pragma once

#include <array>
#include <string_view>

namespace bus::search {

// The readings of one character, the customary one first.
struct CharacterReadings {
  static constexpr int kCapacity = 8;           // more than any character has (checked at build time)
  std::array<std::string_view, kCapacity> items;  // the first count are set
  int count = 0;                                 // 0: the character has no reading
};

// The readings of code point c; none for anything that is no Han character the table knows.
CharacterReadings ReadingsOf(char32_t c) noexcept;

// How many characters the table knows (for reports).
int ReadingsTableSize() noexcept;

}  // namespace bus::search
