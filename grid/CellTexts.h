// The display texts of one grid row, one per column, packed into a single allocation: a count,
// the end offset of each text, then the bytes of all texts back to back. A row therefore costs one
// allocation however many columns it has, and reading a text is two array reads.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bus {

class TrgCellTexts {
public:
  TrgCellTexts() = default;
  TrgCellTexts(const TrgCellTexts& other) { *this = other; }
  TrgCellTexts& operator=(const TrgCellTexts& other);
  TrgCellTexts(TrgCellTexts&&) noexcept = default;
  TrgCellTexts& operator=(TrgCellTexts&&) noexcept = default;

  // Number of texts held (columns filled at the last Assign).
  int Count() const noexcept { return data_ ? int(Header()[0]) : 0; }
  // Text i; empty for an index outside 0 .. Count() − 1.
  std::string_view Text(int index) const noexcept;
  // Replaces all texts: text i is bytes[ends[i-1] .. ends[i]) (ends[-1] = 0).
  void Assign(std::string_view bytes, std::span<const std::uint32_t> ends);
  // Replaces one text, growing the list with empty texts when index lies past its end.
  void SetText(int index, std::string_view text);
  void Clear() noexcept { data_.reset(); }
  // Bytes held by the allocation (for memory accounting).
  std::size_t AllocatedBytes() const noexcept;

private:
  const std::uint32_t* Header() const noexcept { return reinterpret_cast<const std::uint32_t*>(data_.get()); }
  const char* Bytes() const noexcept { return data_.get() + sizeof(std::uint32_t) * (1 + std::size_t(Count())); }

  std::unique_ptr<char[]> data_;  // count, end offsets, text bytes; null when empty
};

// Collects the texts of one row before they are packed (kept by the loader and reused, so filling
// a row allocates nothing but the row's own texts).
class TrgCellTextBuilder {
public:
  void Clear() noexcept {
    bytes_.clear();
    ends_.clear();
  }
  // Appends the next text; the text's bytes are appended to Buffer() by the caller before Close().
  std::string& Buffer() noexcept { return bytes_; }
  // Ends the text being built (whatever was appended to Buffer() since the last Close()).
  void Close() { ends_.push_back(std::uint32_t(bytes_.size())); }
  void Add(std::string_view text) {
    bytes_.append(text);
    Close();
  }
  // Packs the collected texts into target.
  void Store(TrgCellTexts& target) const { target.Assign(bytes_, ends_); }

private:
  std::string bytes_;                 // texts back to back
  std::vector<std::uint32_t> ends_;   // end offset of each text
};

}  // namespace bus
