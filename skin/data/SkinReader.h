// A skin archive: one compressed bundle of named members (a descriptor and the bitmaps it names).
//
// Stored form: a little-endian 32-bit length S of the expanded archive, then the LZHUF stream.
// Expanded archive: version (20000), length L of the names block, two reserved words, the names
// block (one name per line), one signed 32-bit length per member, then the members' bytes back to
// back in member order.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Stream.h"
#include "core/StringList.h"

namespace bus {

// The version an archive must carry.
inline constexpr std::int32_t kSkinArchiveVersion = 20000;
// Most members an archive may list.
inline constexpr int kSkinArchiveMaxMembers = 1001;
// Largest expanded archive accepted (a skin is a few hundred kilobytes).
inline constexpr std::uint32_t kSkinArchiveMaxSize = 64u << 20;
// The message shown when an archive cannot be used.
inline constexpr std::string_view kOlderSkinMessage = "This is Older Skin File\rPlease update to new version !";

class TSkinReader {
public:
  // Receives the message for the user when an archive is refused; the windowed layer shows it in
  // a message box. Without one the message is only kept in RejectReason().
  using MessageHandler = std::function<void(std::string_view message)>;

  TSkinReader() = default;
  explicit TSkinReader(MessageHandler onMessage) : onMessage_(std::move(onMessage)) {}

  // Expands the stored archive (read from its start) and indexes its members. Returns false, after
  // passing kOlderSkinMessage to the message handler, when the archive is of another version or
  // cannot be a sound archive (declared size above kSkinArchiveMaxSize, a names block or size table
  // running past the data, negative sizes, sizes adding up to more than the member data, more than
  // kSkinArchiveMaxMembers members, a stored form shorter than its header). The reader is then
  // empty.
  bool Load(TStream& stored);

  // Copies the first member whose name equals `name` (ASCII letters compared without case) into
  // out, rewound to 0. out is emptied first and stays empty when nothing matches; returns whether
  // a member was found.
  bool ExtractByName(std::string_view name, TMemoryStream& out) const;
  // Copies the first member whose (lower-case) name contains `part`, compared as it stands, into
  // out and sets name to that member's name; when nothing matches, out stays empty, name keeps its
  // value and the result is false.
  bool ExtractByPart(std::string_view part, TMemoryStream& out, std::string& name) const;
  // Copies member index (0 <= index < Count()) into out, rewound to 0.
  void ExtractByIndex(int index, TMemoryStream& out) const;

  int Count() const noexcept { return names_.Count(); }
  // Member names, lower case, in member order.
  const TStringList& Names() const noexcept { return names_; }
  // Byte length of member index.
  std::int32_t MemberSize(int index) const { return sizes_.at(std::size_t(index)); }
  // The 16 header bytes as read (version, names length, two reserved words).
  const std::array<std::uint8_t, 16>& Header() const noexcept { return header_; }
  // Length of the expanded archive.
  std::size_t ExpandedSize() const noexcept { return expandedSize_; }
  // Why the last Load failed, for tools; empty after a successful one.
  const std::string& RejectReason() const noexcept { return rejectReason_; }

private:
  bool Reject(std::string reason);
  void Clear();

  MessageHandler onMessage_;                // shows kOlderSkinMessage to the user
  TStringList names_;                       // member names, lower case
  std::vector<std::int32_t> sizes_;         // byte length per member
  std::vector<std::size_t> offsets_;        // start of each member in data_, from dataStart_
  std::vector<std::uint8_t> data_;          // the expanded archive
  std::size_t dataStart_ = 0;               // where the member data begins in data_
  std::array<std::uint8_t, 16> header_{};   // header as read
  std::size_t expandedSize_ = 0;            // length of the expanded archive
  std::string rejectReason_;                // why the last Load failed
};

}  // namespace bus
