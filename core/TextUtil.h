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

// The text between double quotes, each double quote inside doubled: how SQL quotes an identifier
// and a connection string a value.
std::string DoubleQuoted(std::string_view s);

}  // namespace bus
