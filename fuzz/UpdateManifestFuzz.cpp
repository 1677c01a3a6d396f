// Any bytes as an update manifest (what a server, or something posing as one, sends): reading
// either refuses it or gives values a route file can have, which read back the same after being
// written out; and the route file's address resolves against any manifest address.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/Exception.h"
#include "db/UpdateManifest.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  bus::db::UpdateManifest m;
  try {
    m = bus::db::ParseUpdateManifest(text);
  } catch (const bus::Exception&) {
    bus::db::ResolveUrl(text, "routes.db");
    return 0;
  }
  if (m.city.empty() || m.version <= 0 || m.size == 0 || m.size > bus::db::kMaxRouteFileSize || m.sha256.size() != 64)
    std::abort();
  const bus::db::UpdateManifest again = bus::db::ParseUpdateManifest(bus::db::FormatUpdateManifest(m));
  if (again.version != m.version || again.size != m.size || again.sha256 != m.sha256) std::abort();
  bus::db::ResolveUrl("http://127.0.0.1:8080/update/x.txt", m.file);
  return 0;
}
