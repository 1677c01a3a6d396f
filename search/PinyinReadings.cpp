#include "search/PinyinReadings.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

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

// Made once on first use, so that a lookup needs no search for the characters of the common
// blocks (Extension A and the Unified Ideographs), where nearly every character of a name lies.
struct Lookup {
  static constexpr char32_t kCommonFirst = 0x3400;
  static constexpr char32_t kCommonEnd = 0xA000;
  std::vector<std::uint16_t> common;        // per common code point, its kFirstReadings entry + 1 (0: none)
  std::vector<std::uint32_t> furtherStart;  // per kFirstReadings entry, its first kFurtherReadings entry (one more at the end)

  Lookup() : common(kCommonEnd - kCommonFirst, 0) {
    static_assert(std::size(kFirstReadings) < 0xFFFF, "entries fit 16 bits");
    furtherStart.reserve(std::size(kFirstReadings) + 1);
    size_t further = 0;
    for (size_t i = 0; i < std::size(kFirstReadings); ++i) {
      const char32_t c = CodePointOf(kFirstReadings[i]);
      if (c >= kCommonFirst && c < kCommonEnd) common[c - kCommonFirst] = std::uint16_t(i + 1);
      while (further < std::size(kFurtherReadings) && CodePointOf(kFurtherReadings[further]) < c) ++further;
      furtherStart.push_back(std::uint32_t(further));
    }
    furtherStart.push_back(std::uint32_t(std::size(kFurtherReadings)));
  }

  // The kFirstReadings entry of c, or -1.
  long EntryOf(char32_t c) const {
    if (c >= kCommonFirst && c < kCommonEnd) return long(common[c - kCommonFirst]) - 1;
    const auto first = std::lower_bound(std::begin(kFirstReadings), std::end(kFirstReadings), c, ByCodePoint());
    return first != std::end(kFirstReadings) && CodePointOf(*first) == c ? long(first - std::begin(kFirstReadings)) : -1;
  }
};

const Lookup& TheLookup() {
  static const Lookup lookup;
  return lookup;
}

}  // namespace

CharacterReadings ReadingsOf(char32_t c) noexcept {
  CharacterReadings readings;
  const Lookup& lookup = TheLookup();
  const long entry = lookup.EntryOf(c);
  if (entry < 0) return readings;
  readings.items[readings.count++] = kSyllables[kFirstReadings[entry] & kSyllableMask];
  const char32_t code = CodePointOf(kFirstReadings[entry]);
  for (std::uint32_t i = lookup.furtherStart[size_t(entry)];
       i < std::size(kFurtherReadings) && CodePointOf(kFurtherReadings[i]) == code && readings.count < CharacterReadings::kCapacity;
       ++i)
    readings.items[readings.count++] = kSyllables[kFurtherReadings[i] & kSyllableMask];
  return readings;
}

int ReadingsTableSize() noexcept { return int(std::size(kFirstReadings)); }

}  // namespace bus::search
