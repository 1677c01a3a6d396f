// The update manifest: the small text file that announces a route file on the maker's site, so the
// updater can tell, before it fetches anything big, whether the update is for its city and newer
// than what it has, and afterwards whether what it fetched is whole. The build writes one beside
// each route file it makes (routeimport --manifest).
//
// The format is an INI file in UTF-8 with one section:
//
//   [routes]
//   city=西安                  the city whose routes the file holds, as the database records it
//   version=20240711           the data's version: a whole number, larger for newer data
//   file=xaway.db              the route file: a name beside the manifest, or a full http(s) address
//   size=647168                its length in bytes
//   sha256=9c1e...             its SHA-256, 64 hexadecimal digits
//
// Other keys and sections are ignored, so later programs may add some. Portable.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace bus::db {

// The largest route file an update may announce: far above any city's routes, far below what
// would hurt a disk.
inline constexpr std::uint64_t kMaxRouteFileSize = 64ull << 20;
// The largest manifest the updater reads.
inline constexpr std::uint64_t kMaxManifestSize = 64ull << 10;

struct UpdateManifest {
  std::string city;         // whose routes
  long long version = 0;    // the data's version
  std::string file;         // the route file's name or address
  std::uint64_t size = 0;   // its length
  std::string sha256;       // its digest, lower-case hexadecimal
};

// Reads a manifest's text. Throws bus::Exception naming the first key that is missing or wrong.
UpdateManifest ParseUpdateManifest(std::string_view text);

// The manifest's text, as ParseUpdateManifest reads it.
std::string FormatUpdateManifest(const UpdateManifest& manifest);

// The address of reference read relative to the address base, as a browser reads a link: a full
// http(s) address stands as it is, one starting with '/' keeps base's scheme and host, anything
// else replaces the last part of base's path.
std::string ResolveUrl(std::string_view base, std::string_view reference);

}  // namespace bus::db
