// An ordered list of text lines: statement texts, memo lines, plan sentences, cell texts, archive
// member names, descriptor lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bus {

class TStringList {
public:
  TStringList() = default;
  TStringList(std::initializer_list<std::string> lines) : lines_(lines) {}

  int Count() const noexcept { return int(lines_.size()); }
  bool Empty() const noexcept { return lines_.empty(); }
  // Line index (0 <= index < Count()).
  const std::string& Strings(int index) const;
  const std::string& operator[](int index) const { return Strings(index); }
  void SetStrings(int index, std::string line);

  // Appends line; returns its index.
  int Add(std::string line);
  // Inserts line before index (index == Count() appends).
  void Insert(int index, std::string line);
  void Delete(int index);
  void Clear() noexcept { lines_.clear(); }
  // Index of the first line equal to text regardless of ASCII letter case, or -1.
  int IndexOf(std::string_view text) const noexcept;

  // The lines, each followed by CR LF.
  std::string Text() const;
  // Replaces the lines with text split at CR LF, LF or CR; a final line break adds no empty line.
  void SetText(std::string_view text);
  void Assign(const TStringList& other) { lines_ = other.lines_; }

  std::vector<std::string>::const_iterator begin() const noexcept { return lines_.begin(); }
  std::vector<std::string>::const_iterator end() const noexcept { return lines_.end(); }
  bool operator==(const TStringList&) const = default;

private:
  std::vector<std::string> lines_;  // the lines, in order
};

}  // namespace bus
