#include "db/UpdateManifest.h"

#include <cctype>
#include <charconv>

#include "core/Exception.h"
#include "core/IniFile.h"
#include "core/TextUtil.h"

namespace bus::db {

namespace {

constexpr std::string_view kSection = "routes";

// A whole decimal number in 1 .. max, or nothing.
bool ReadNumber(std::string_view text, std::uint64_t max, std::uint64_t& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty() && value > 0 && value <= max;
}

bool IsHttp(std::string_view url) {
  const auto startsWith = [&](std::string_view scheme) {
    return url.size() >= scheme.size() && EqualsIgnoringAsciiCase(url.substr(0, scheme.size()), scheme);
  };
  return startsWith("http://") || startsWith("https://");
}

}  // namespace

UpdateManifest ParseUpdateManifest(std::string_view text) {
  const auto value = [&](std::string_view key) {
    std::string v = IniValue(text, kSection, key);
    if (v.empty()) throw Exception("the update manifest has no " + std::string(key));
    return v;
  };
  UpdateManifest m;
  m.city = value("city");
  std::uint64_t number = 0;
  if (!ReadNumber(value("version"), std::uint64_t(INT64_MAX), number))
    throw Exception("the update manifest's version is not a positive whole number");
  m.version = static_cast<long long>(number);
  m.file = value("file");
  if (m.file.find_first_of(" \t\r\n") != std::string::npos) throw Exception("the update manifest's file has blanks");
  if (!ReadNumber(value("size"), kMaxRouteFileSize, m.size))
    throw Exception("the update manifest's size is not a length up to " + std::to_string(kMaxRouteFileSize));
  m.sha256 = value("sha256");
  if (m.sha256.size() != 64) throw Exception("the update manifest's sha256 is not 64 hexadecimal digits");
  for (char& c : m.sha256) {
    if (!std::isxdigit(static_cast<unsigned char>(c)))
      throw Exception("the update manifest's sha256 is not 64 hexadecimal digits");
    c = char(std::tolower(static_cast<unsigned char>(c)));
  }
  return m;
}

std::string FormatUpdateManifest(const UpdateManifest& m) {
  return "[routes]\r\ncity=" + m.city + "\r\nversion=" + std::to_string(m.version) + "\r\nfile=" + m.file +
         "\r\nsize=" + std::to_string(m.size) + "\r\nsha256=" + m.sha256 + "\r\n";
}

std::string ResolveUrl(std::string_view base, std::string_view reference) {
  if (IsHttp(reference)) return std::string(reference);
  const size_t scheme = base.find("://");
  const size_t pathStart = scheme == std::string_view::npos ? std::string_view::npos : base.find('/', scheme + 3);
  const std::string_view origin = pathStart == std::string_view::npos ? base : base.substr(0, pathStart);
  if (!reference.empty() && reference[0] == '/') return std::string(origin) + std::string(reference);
  std::string_view path = pathStart == std::string_view::npos ? "/" : base.substr(pathStart);
  path = path.substr(0, path.find_first_of("?#"));
  return std::string(origin) + std::string(path.substr(0, path.rfind('/') + 1)) + std::string(reference);
}

}  // namespace bus::db
