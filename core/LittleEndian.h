// Reading and writing little-endian integers in byte buffers, for the binary file formats.
#pragma once

#include <cstdint>
#include <vector>

namespace bus {

inline std::uint16_t ReadU16(const std::uint8_t* p) noexcept { return std::uint16_t(p[0] | (p[1] << 8)); }
inline std::uint32_t ReadU32(const std::uint8_t* p) noexcept {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
inline std::int32_t ReadI32(const std::uint8_t* p) noexcept { return std::int32_t(ReadU32(p)); }

inline void AppendU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}
inline void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

}  // namespace bus
