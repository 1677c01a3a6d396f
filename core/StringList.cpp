#include "core/StringList.h"

#include <cassert>
#include <stdexcept>

#include "core/TextUtil.h"

namespace bus {

const std::string& TStringList::Strings(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("list index out of bounds");
  return lines_[std::size_t(index)];
}

void TStringList::SetStrings(int index, std::string line) {
  if (index < 0 || index >= Count()) throw std::out_of_range("list index out of bounds");
  lines_[std::size_t(index)] = std::move(line);
}

int TStringList::Add(std::string line) {
  lines_.push_back(std::move(line));
  return Count() - 1;
}

void TStringList::Insert(int index, std::string line) {
  if (index < 0 || index > Count()) throw std::out_of_range("list index out of bounds");
  lines_.insert(lines_.begin() + index, std::move(line));
}

void TStringList::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("list index out of bounds");
  lines_.erase(lines_.begin() + index);
}

int TStringList::IndexOf(std::string_view text) const noexcept {
  for (int i = 0; i < Count(); ++i)
    if (EqualsIgnoringAsciiCase(lines_[std::size_t(i)], text)) return i;
  return -1;
}

std::string TStringList::Text() const {
  std::string out;
  for (const std::string& line : lines_) {
    out += line;
    out += "\r\n";
  }
  return out;
}

void TStringList::SetText(std::string_view text) {
  lines_.clear();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines_.emplace_back(text.substr(start));
      break;
    }
    lines_.emplace_back(text.substr(start, end - start));
    if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
}

}  // namespace bus
