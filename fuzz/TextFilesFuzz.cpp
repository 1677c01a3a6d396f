// Any bytes as config.ini (in whichever encoding they look like) or as a route CSV: reading either
// never crashes; the decoded text is well-formed UTF-8; a CSV either parses or is rejected with the
// project's exception.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/Exception.h"
#include "core/IniFile.h"
#include "core/TextEncoding.h"
#include "tools/routeimport/RouteCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string decoded = bus::TextFileToUtf8(text);
  if (!bus::IsValidUtf8(decoded)) __builtin_trap();
  (void)bus::IniValue(decoded, "config", "dbName");
  try {
    (void)bus::tools::ParseRouteCsv(text);
  } catch (const bus::Exception&) {
  }
  return 0;
}
