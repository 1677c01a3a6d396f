// Any bytes as config.ini or as a route CSV: reading either never crashes; a CSV either parses or
// is rejected with the project's exception.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/Exception.h"
#include "core/IniFile.h"
#include "tools/routeimport/RouteCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  (void)bus::IniValue(text, "config", "dbName");
  try {
    (void)bus::tools::ParseRouteCsv(text);
  } catch (const bus::Exception&) {
  }
  return 0;
}
