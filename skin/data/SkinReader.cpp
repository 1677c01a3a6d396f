#include "skin/data/SkinReader.h"

#include <cstring>

#include "core/TextUtil.h"
#include "skin/data/LZH.h"

namespace bus {

namespace {

// Lines in text by the rules of TStringList::SetText, counted without building them.
std::size_t CountLines(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t start = 0; start < text.size(); ++count) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) return count + 1;
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return count;
}

std::int32_t ReadInt32(const std::uint8_t* p) {
  return std::int32_t(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                      std::uint32_t(p[3]) << 24);
}

}  // namespace

void TSkinReader::Clear() {
  names_.Clear();
  sizes_.clear();
  offsets_.clear();
  data_.clear();
  data_.shrink_to_fit();
  dataStart_ = 0;
  header_.fill(0);
  expandedSize_ = 0;
}

bool TSkinReader::Reject(std::string reason) {
  Clear();
  rejectReason_ = std::move(reason);
  if (onMessage_) onMessage_(kOlderSkinMessage);
  return false;
}

bool TSkinReader::Load(TStream& stored) {
  Clear();
  rejectReason_.clear();
  stored.SetPosition(0);
  TMemoryStream packed;
  packed.LoadFromStream(stored);
  if (packed.Size() < 4) return Reject("the stored archive is shorter than its 4-byte length");
  const std::uint32_t size = std::uint32_t(ReadInt32(packed.Memory()));
  if (size > kSkinArchiveMaxSize) {
    return Reject("the archive declares " + std::to_string(size) + " bytes, more than the limit of " +
                  std::to_string(kSkinArchiveMaxSize));
  }
  data_ = LzhExpand({packed.Memory() + 4, std::size_t(packed.Size() - 4)}, size);
  expandedSize_ = data_.size();

  if (data_.size() < header_.size()) return Reject("the expanded archive is shorter than its header");
  std::memcpy(header_.data(), data_.data(), header_.size());
  const std::int32_t version = ReadInt32(data_.data());
  if (version != kSkinArchiveVersion) {
    return Reject("archive version " + std::to_string(version) + ", expected " +
                  std::to_string(kSkinArchiveVersion));
  }
  const std::int32_t namesLength = ReadInt32(data_.data() + 4);
  if (namesLength < 0 || std::size_t(namesLength) > data_.size() - header_.size()) {
    return Reject("the names block runs past the end of the archive");
  }
  const std::size_t namesStart = header_.size();
  const std::string_view block(reinterpret_cast<const char*>(data_.data() + namesStart), std::size_t(namesLength));
  const std::size_t lines = CountLines(block);
  if (lines > std::size_t(kSkinArchiveMaxMembers)) {
    return Reject("the archive lists " + std::to_string(lines) + " members, more than " +
                  std::to_string(kSkinArchiveMaxMembers));
  }
  names_.SetText(AsciiLower(block));
  const int count = names_.Count();
  const std::size_t tableStart = namesStart + std::size_t(namesLength);
  if (std::size_t(count) * 4 > data_.size() - tableStart) return Reject("the size table runs past the end of the archive");
  dataStart_ = tableStart + std::size_t(count) * 4;
  const std::size_t available = data_.size() - dataStart_;
  std::size_t offset = 0;
  sizes_.reserve(std::size_t(count));
  offsets_.reserve(std::size_t(count));
  for (int i = 0; i < count; ++i) {
    const std::int32_t length = ReadInt32(data_.data() + tableStart + std::size_t(i) * 4);
    if (length < 0) return Reject("member " + std::to_string(i) + " has a negative size");
    if (std::size_t(length) > available - offset) {
      return Reject("the member sizes describe more bytes than the archive holds");
    }
    sizes_.push_back(length);
    offsets_.push_back(offset);
    offset += std::size_t(length);
  }
  return true;
}

void TSkinReader::ExtractByIndex(int index, TMemoryStream& out) const {
  out.Clear();
  const std::size_t i = std::size_t(index);
  out.WriteBuffer(data_.data() + dataStart_ + offsets_.at(i), std::size_t(sizes_.at(i)));
  out.SetPosition(0);
}

bool TSkinReader::ExtractByName(std::string_view name, TMemoryStream& out) const {
  out.Clear();
  const std::string wanted = AsciiLower(name);
  for (int i = 0; i < names_.Count(); ++i) {
    if (names_[i] == wanted) {
      ExtractByIndex(i, out);
      return true;
    }
  }
  return false;
}

bool TSkinReader::ExtractByPart(std::string_view part, TMemoryStream& out, std::string& name) const {
  out.Clear();
  for (int i = 0; i < names_.Count(); ++i) {
    if (names_[i].find(part) != std::string::npos) {
      ExtractByIndex(i, out);
      name = names_[i];
      return true;
    }
  }
  return false;
}

}  // namespace bus
