// Any bytes as a connection string: parsing never fails or reads out of bounds, and a parsed
// Data Source survives a round trip through a quoted value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "db/ConnectionString.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto cs = bus::db::ConnectionString::Parse(text);
  std::string quoted = "Data Source=\"";
  for (char c : cs.dataSource) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  quoted += "\"";
  if (bus::db::ConnectionString::Parse(quoted).dataSource != cs.dataSource) std::abort();
  return 0;
}
