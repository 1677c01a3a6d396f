#include "search/PinyinReadings.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace bus::search {

namespace {

#include "search/PinyinTable.h"  // generated: kMostReadings, kSyllableBits, kSyllables, kFirstReadings, kFurtherReadings

static_assert(kMostReadings <= CharacterReadings::kCapacity, "a character has more readings than the list holds");

// A table word is code point << kSyllableBits | syllable index.
constexpr std::uint32_t kSyllableMask = (1u << kSyllableBits) - 1;

constexpr char32_t CodePointOf(std::uint32_t word) { return char32_t(word >> kSyllableBits); }

struct ByCodePoint {
  bool operator()(std::uint32_t word, char32_t c) const { return CodePointOf(word) < c; }
  bool operator()(char32_t c, std::uint32_t word) const { return c < CodePointOf(word); }
};

}  // namespace

CharacterReadings ReadingsOf(char32_t c) noexcept {
  CharacterReadings readings;
  const auto first = std::lower_bound(std::begin(kFirstReadings), std::end(kFirstReadings), c, ByCodePoint());
  if (first == std::end(kFirstReadings) || CodePointOf(*first) != c) return readings;
  readings.items[readings.count++] = kSyllables[*first & kSyllableMask];
  const auto [from, to] = std::equal_range(std::begin(kFurtherReadings), std::end(kFurtherReadings), c, ByCodePoint());
  for (auto word = from; word != to && readings.count < CharacterReadings::kCapacity; ++word)
    readings.items[readings.count++] = kSyllables[*word & kSyllableMask];
  return readings;
}

int ReadingsTableSize() noexcept { return int(std::size(kFirstReadings)); }

}  // namespace bus::search
