// Small portable text helpers shared by every layer. Texts are UTF-8 std::string.
#pragma once

#include <string>
#include <string_view>

namespace bus {

// ASCII-only case-insensitive equality (names of keys, fields, classes); other bytes compare exactly.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) noexcept;

// The text with ASCII letters lowered; other bytes unchanged.
std::string AsciiLower(std::string_view s);
// The text with ASCII letters raised; other bytes unchanged.
std::string AsciiUpper(std::string_view s);

// The text without leading and trailing blanks: spaces, tabs and line breaks (CR, LF).
std::string_view TrimBlanks(std::string_view s) noexcept;
// The text without leading and trailing bytes of code 32 or lower (blanks and control characters).
std::string_view TrimControl(std::string_view s) noexcept;

// The text between double quotes, each double quote inside doubled: how SQL quotes an identifier
// and a connection string a value.
std::string DoubleQuoted(std::string_view s);

}  // namespace bus
