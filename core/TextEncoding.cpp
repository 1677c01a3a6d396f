#include "core/TextEncoding.h"

#include <cassert>
#include <cstdint>

#ifdef _WIN32
#include <windows.h>

#include "core/WideText.h"
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace bus {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// UTF-16 code units (big- or little-endian bytes, after the byte-order mark) as UTF-8; unpaired
// surrogates and an odd last byte become U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size());
  const auto unit = [&](size_t i) -> char16_t {
    const auto b0 = static_cast<unsigned char>(bytes[i]), b1 = static_cast<unsigned char>(bytes[i + 1]);
    return char16_t(bigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0));
  };
  size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    const char16_t u = unit(i);
    if (u >= 0xD800 && u < 0xDC00 && i + 3 < bytes.size()) {
      const char16_t low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(low) - 0xDC00));
        i += 2;
        continue;
      }
    }
    AppendUtf8(out, u >= 0xD800 && u < 0xE000 ? kReplacement : char32_t(u));
  }
  if (i < bytes.size()) AppendUtf8(out, kReplacement);
  return out;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  assert(cp <= 0x10FFFF && !(cp >= 0xD800 && cp < 0xE000));
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

bool DecodeUtf8(std::string_view s, size_t& i, char32_t& cp) noexcept {
  assert(i < s.size());
  const auto b = static_cast<unsigned char>(s[i]);
  int extra = 0;
  char32_t min = 0;
  if (b < 0x80) {
    ++i;
    cp = b;
    return true;
  }
  if ((b & 0xE0) == 0xC0) extra = 1, cp = b & 0x1F, min = 0x80;
  else if ((b & 0xF0) == 0xE0) extra = 2, cp = b & 0x0F, min = 0x800;
  else if ((b & 0xF8) == 0xF0) extra = 3, cp = b & 0x07, min = 0x10000;
  else return ++i, false;
  if (i + size_t(extra) >= s.size()) return ++i, false;
  for (int k = 1; k <= extra; ++k) {
    const auto c = static_cast<unsigned char>(s[i + size_t(k)]);
    if ((c & 0xC0) != 0x80) return ++i, false;
    cp = cp << 6 | (c & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) return ++i, false;
  i += size_t(extra) + 1;
  return true;
}

bool IsValidUtf8(std::string_view s) noexcept {
  char32_t cp = 0;
  for (size_t i = 0; i < s.size();)
    if (!DecodeUtf8(s, i, cp)) return false;
  return true;
}

#ifdef _WIN32

std::string GbkToUtf8(std::string_view gbk) {
  if (gbk.empty()) return {};
  // the system's tables for code page 936; invalid sequences become U+FFFD
  const int n = MultiByteToWideChar(936, 0, gbk.data(), int(gbk.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(size_t(n), L'\0');
  MultiByteToWideChar(936, 0, gbk.data(), int(gbk.size()), wide.data(), n);
  return Narrow(wide);
}

#else

std::string GbkToUtf8(std::string_view gbk) {
  iconv_t cd = iconv_open("UTF-8", "GBK");
  if (cd == iconv_t(-1)) return std::string(gbk);  // no converter: the bytes as they are
  std::string out;
  char buffer[256];
  size_t at = 0;
  while (at < gbk.size()) {
    char* in = const_cast<char*>(gbk.data() + at);
    size_t inLeft = gbk.size() - at;
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    const size_t rc = iconv(cd, &in, &inLeft, &dst, &dstLeft);
    out.append(buffer, size_t(dst - buffer));
    at = gbk.size() - inLeft;
    if (rc == size_t(-1) && errno != E2BIG) {
      // an invalid or cut sequence: one byte is given up for U+FFFD
      AppendUtf8(out, kReplacement);
      ++at;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

#endif

std::string TextFileToUtf8(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) return Utf16ToUtf8(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return Utf16ToUtf8(bytes.substr(2), true);
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return GbkToUtf8(bytes);
}

}  // namespace bus
