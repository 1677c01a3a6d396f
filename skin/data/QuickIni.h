// Reads a skin descriptor: INI-style text (sections in brackets, "key=value" lines, ";" comments)
// from a stream in one pass, and answers text and integer lookups with defaults. Section names and
// keys match without regard to ASCII letter case; the first of several equal sections or keys wins.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/Stream.h"
#include "core/StringList.h"

namespace bus {

class TQuickIni {
public:
  // Replaces everything with the text from the stream's position to its end. The text ends at its
  // first NUL byte.
  void LoadFromStream(TStream& stream);
  // The same from text.
  void LoadFromText(std::string_view text);

  // The value of key in section, trimmed; `defaultValue` when the section or key is absent or the
  // first line with that key has an empty value.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
  // The value as a signed 32-bit number: decimal with an optional sign, or hexadecimal after "0x",
  // "0X" or "$"; `defaultValue` when absent or not such a number.
  std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
  // The section names in text order, without brackets, trimmed.
  void ReadSections(TStringList& list) const;

  // The kept lines (trimmed, neither empty nor comments), in text order.
  const TStringList& Lines() const noexcept { return lines_; }
  // Whether section exists (same matching as ReadString).
  bool SectionExists(std::string_view section) const;

private:
  // One kept line, split once at load so that lookups only compare.
  struct Entry {
    bool header = false;  // "[...]"
    std::string key;      // text before the first "=", trimmed, lower case ("" without "=")
    std::string value;    // text after the first "=", trimmed
  };
  // Index in lines_ of the first header equal to "[" + section + "]", or nothing.
  std::optional<std::size_t> FindSection(std::string_view section) const;

  TStringList lines_;                                    // the kept lines
  std::vector<Entry> entries_;                           // one per kept line
  std::vector<std::size_t> headers_;                     // positions of the section headers, in order
  std::unordered_map<std::string, std::size_t> index_;   // lower-case header text -> first position
};

// Parses a descriptor number as ReadInteger does; nothing when the text is not one.
std::optional<std::int32_t> ParseSkinInteger(std::string_view text);

}  // namespace bus
