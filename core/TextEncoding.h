// Text files as people's editors write them, turned into the UTF-8 the program works in. A
// configuration file made on a Chinese Windows is GBK (the system's code page 936) unless the
// editor was told otherwise; Notepad's "Unicode" is UTF-16 with a byte-order mark. Portable: the
// code page is converted by the platform (Windows' own tables, the C library's iconv elsewhere).
#pragma once

#include <string>
#include <string_view>

namespace bus {

// The UTF-8 text of a text file's bytes: UTF-16 with a byte-order mark (little- or big-endian),
// UTF-8 with or without one (the mark dropped), anything else as GBK. A byte-order mark is the
// only sign of UTF-16; bytes that are valid UTF-8 are taken as UTF-8 (plain ASCII is the same in
// all three). What cannot be decoded becomes U+FFFD.
std::string TextFileToUtf8(std::string_view bytes);

// Decodes the UTF-8 sequence that starts at s[i] (i < s.size()) into cp and moves i past it.
// Returns false on a malformed sequence (overlong, surrogate, above U+10FFFF, cut short); i then
// moves on by one byte and cp is undefined.
bool DecodeUtf8(std::string_view s, size_t& i, char32_t& cp) noexcept;
// Whether s is well-formed UTF-8 (no overlong forms, surrogates or code points above U+10FFFF).
bool IsValidUtf8(std::string_view s) noexcept;
// GBK (code page 936) bytes as UTF-8; a byte sequence that is not GBK becomes U+FFFD.
std::string GbkToUtf8(std::string_view gbk);
// Appends code point cp (at most U+10FFFF, no surrogate) to out as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace bus
