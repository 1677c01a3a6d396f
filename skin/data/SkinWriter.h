// Builds a skin archive in its stored form (see SkinReader.h for the layout).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Exception.h"
#include "core/Stream.h"

namespace bus {

class ESkinArchiveError : public Exception {
public:
  using Exception::Exception;
};

class TSkinWriter {
public:
  // Adds a member. Throws ESkinArchiveError for a name that is empty or holds a line break, a name
  // already present (letter case ignored, as the reader finds members), a member beyond the most an
  // archive may list, or when the archive would grow past the largest a reader accepts.
  void AddMember(std::string_view name, std::span<const std::uint8_t> bytes);

  int Count() const noexcept { return int(names_.size()); }

  // The expanded archive: header, names block, size table and member data.
  std::vector<std::uint8_t> Expanded() const;
  // Writes the stored form (expanded length, then the compressed archive) at out's position.
  void Save(TStream& out) const;

private:
  std::size_t ExpandedSize() const;

  std::vector<std::string> names_;                 // member names as given
  std::vector<std::vector<std::uint8_t>> members_;  // member bytes, in member order
};

}  // namespace bus
