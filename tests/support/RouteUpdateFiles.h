// A route update made in the test from the bundled Xi'an database, as the maker would publish it:
// a route file with newer data (one line's stops changed, one line added) and the manifest that
// announces it.
#pragma once

#include <string>

namespace bus::test {

struct RouteUpdateFiles {
  std::string routes;       // the route file's bytes
  std::string manifest;     // the manifest's text; its file is kRouteFileName
  long long version = 0;    // the data version of both
  size_t records = 0;       // how many records the route file holds
  std::string changedLine;  // the number of the line whose stops changed
  std::string newStop;      // a stop that only the new data has, on changedLine
  std::string addedLine;    // the number of the line that only the new data has
};

// What the manifest names the route file.
inline constexpr const char* kRouteFileName = "xaway-new.db";

// A newer update for the Xi'an database of the build (bin/xaway.db), for city and of version.
RouteUpdateFiles NewerXianRoutes(const std::string& city = "西安", long long version = 20250101);

// manifest with one key's value replaced (the key must be in it).
std::string WithManifestValue(std::string manifest, const std::string& key, const std::string& value);

}  // namespace bus::test
