// Reading a plain INI file: "[section]" headers and "key=value" lines.
//
// Sections and keys compare without regard to ASCII letter case; blanks around names and values
// are dropped; a value in matching double or single quotes loses the quotes; lines starting with
// ';' or '#' are comments. The first occurrence of a key in the first matching section wins, as with
// the platform's own INI reading. A file may be UTF-8, GBK or UTF-16 with a byte-order mark
// (TextFileToUtf8); values come back as UTF-8.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace bus {

// Returns the value of key in section of the INI text (UTF-8), or fallback when either is absent.
std::string IniValue(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view fallback = {});

// Same, reading the file at path; a missing or unreadable file gives fallback.
std::string IniFileValue(const std::filesystem::path& path, std::string_view section,
                         std::string_view key, std::string_view fallback = {});

}  // namespace bus
