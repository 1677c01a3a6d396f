#include "skin/data/SkinWriter.h"

#include "core/TextUtil.h"
#include "skin/data/LZH.h"
#include "skin/data/SkinReader.h"

namespace bus {

namespace {

void PutInt32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

}  // namespace

std::size_t TSkinWriter::ExpandedSize() const {
  std::size_t size = 16;
  for (std::size_t i = 0; i < names_.size(); ++i) size += names_[i].size() + 2 + 4 + members_[i].size();
  return size;
}

void TSkinWriter::AddMember(std::string_view name, std::span<const std::uint8_t> bytes) {
  const std::string shown(name);
  if (name.empty()) throw ESkinArchiveError("a member name is empty");
  if (name.find_first_of("\r\n") != std::string_view::npos) {
    throw ESkinArchiveError("member name \"" + shown + "\" holds a line break");
  }
  for (const std::string& existing : names_) {
    if (EqualsIgnoringAsciiCase(existing, name)) {
      throw ESkinArchiveError("member name \"" + shown + "\" is already in the archive as \"" + existing + "\"");
    }
  }
  if (names_.size() >= std::size_t(kSkinArchiveMaxMembers)) {
    throw ESkinArchiveError("an archive holds at most " + std::to_string(kSkinArchiveMaxMembers) + " members");
  }
  if (ExpandedSize() + name.size() + 6 + bytes.size() > kSkinArchiveMaxSize) {
    throw ESkinArchiveError("adding \"" + shown + "\" makes the archive larger than " +
                            std::to_string(kSkinArchiveMaxSize) + " bytes");
  }
  names_.push_back(shown);
  members_.emplace_back(bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> TSkinWriter::Expanded() const {
  std::string block;
  for (const std::string& name : names_) block += name + "\r\n";
  std::vector<std::uint8_t> out;
  out.reserve(ExpandedSize());
  PutInt32(out, std::uint32_t(kSkinArchiveVersion));
  PutInt32(out, std::uint32_t(block.size()));
  PutInt32(out, 0);
  PutInt32(out, 0);
  out.insert(out.end(), block.begin(), block.end());
  for (const auto& member : members_) PutInt32(out, std::uint32_t(member.size()));
  for (const auto& member : members_) out.insert(out.end(), member.begin(), member.end());
  return out;
}

void TSkinWriter::Save(TStream& out) const {
  const std::vector<std::uint8_t> expanded = Expanded();
  const std::vector<std::uint8_t> packed = LzhCompress(expanded);
  std::vector<std::uint8_t> length;
  PutInt32(length, std::uint32_t(expanded.size()));
  out.WriteBuffer(length.data(), length.size());
  out.WriteBuffer(packed.data(), packed.size());
}

}  // namespace bus
