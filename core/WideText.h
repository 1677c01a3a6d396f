// UTF-8 <-> UTF-16 at the Win32 boundary. Windows only: the program keeps UTF-8 inside and calls the
// wide APIs, so Chinese text never passes through an ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace bus {

// Invalid UTF-8 sequences become U+FFFD.
std::wstring Widen(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string Narrow(std::wstring_view utf16);

}  // namespace bus
