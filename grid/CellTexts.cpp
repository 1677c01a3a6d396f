#include "grid/CellTexts.h"

#include <algorithm>
#include <cstring>

#include "grid/TreeListError.h"

namespace bus {

TrgCellTexts& TrgCellTexts::operator=(const TrgCellTexts& other) {
  if (this == &other) return *this;
  if (!other.data_) {
    data_.reset();
    return *this;
  }
  const std::size_t size = other.AllocatedBytes();
  auto copy = std::make_unique_for_overwrite<char[]>(size);
  std::memcpy(copy.get(), other.data_.get(), size);
  data_ = std::move(copy);
  return *this;
}

std::string_view TrgCellTexts::Text(int index) const noexcept {
  if (index < 0 || index >= Count()) return {};
  const std::uint32_t* header = Header();
  const std::uint32_t start = index == 0 ? 0 : header[index];
  const std::uint32_t end = header[index + 1];
  return {Bytes() + start, end - start};
}

std::size_t TrgCellTexts::AllocatedBytes() const noexcept {
  if (!data_) return 0;
  const int n = Count();
  return sizeof(std::uint32_t) * (1 + std::size_t(n)) + (n > 0 ? Header()[n] : 0);
}

void TrgCellTexts::Assign(std::string_view bytes, std::span<const std::uint32_t> ends) {
  if (ends.empty()) {
    data_.reset();
    return;
  }
  if (ends.back() != bytes.size() || bytes.size() > 0xFFFFFFFFu)
    throw EInvalidrgTreeListOperation("cell texts do not match their offsets");
  const std::size_t header = sizeof(std::uint32_t) * (1 + ends.size());
  auto data = std::make_unique_for_overwrite<char[]>(header + bytes.size());
  const std::uint32_t count = std::uint32_t(ends.size());
  std::memcpy(data.get(), &count, sizeof count);
  std::memcpy(data.get() + sizeof count, ends.data(), ends.size_bytes());
  if (!bytes.empty()) std::memcpy(data.get() + header, bytes.data(), bytes.size());
  data_ = std::move(data);
}

void TrgCellTexts::SetText(int index, std::string_view text) {
  if (index < 0) throw EInvalidrgTreeListOperation("column index " + std::to_string(index) + " out of range");
  const int count = std::max(Count(), index + 1);
  TrgCellTextBuilder builder;
  for (int i = 0; i < count; ++i) builder.Add(i == index ? text : Text(i));
  builder.Store(*this);
}

}  // namespace bus
