// SHA-256 (FIPS 180-4) of bytes or of a file: how a downloaded route file is checked against what
// its manifest says, and how the build writes that manifest. Portable.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace bus {

class Sha256 {
public:
  Sha256();
  // Adds bytes to the message.
  void Update(const void* data, size_t size);
  void Update(std::string_view bytes) { Update(bytes.data(), bytes.size()); }
  // The digest of everything added, as 64 lower-case hexadecimal digits. Ends the message: add
  // nothing afterwards.
  std::string HexDigest();

  // The digest of bytes, in hexadecimal.
  static std::string Of(std::string_view bytes);
  // The digest of the file's content, in hexadecimal. Throws bus::Exception when it cannot be read.
  static std::string OfFile(const std::filesystem::path& path);

private:
  void Block(const std::uint8_t* block);

  std::array<std::uint32_t, 8> state_;     // the running hash
  std::array<std::uint8_t, 64> buffer_{};  // bytes not yet hashed
  size_t buffered_ = 0;                    // how many of buffer_ hold bytes
  std::uint64_t length_ = 0;               // bytes added so far
};

}  // namespace bus
