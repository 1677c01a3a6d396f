#include "app/RecentQueries.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/TextEncoding.h"
#include "core/TextUtil.h"

namespace bus::app {

namespace fs = std::filesystem;

namespace {

// A text the file can hold: not empty, UTF-8, no control character (no tab, no line break).
bool Keepable(std::string_view text) {
  return !text.empty() && IsValidUtf8(text) &&
         std::none_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// item moved (or put) to the front of list, which then keeps at most RecentQueries::kKept.
template <class T>
void Remember(std::vector<T>& list, T item) {
  std::erase(list, item);
  list.insert(list.begin(), std::move(item));
  if (list.size() > RecentQueries::kKept) list.resize(RecentQueries::kKept);
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (size_t start = 0;;) {
    const size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

}  // namespace

std::string RecentQueries::Format(const QueryLists& lists) {
  std::string text(kHeader);
  text += '\n';
  for (const std::string& stop : lists.stops) text.append("stop\t").append(stop) += '\n';
  for (const std::string& line : lists.lines) text.append("line\t").append(line) += '\n';
  for (const auto& [from, to] : lists.pairs) text.append("pair\t").append(from).append("\t").append(to) += '\n';
  return text;
}

std::optional<QueryLists> RecentQueries::Parse(std::string_view text) {
  if (!IsValidUtf8(text)) return std::nullopt;
  QueryLists lists;
  bool header = true;
  for (size_t start = 0; start < text.size();) {
    const size_t end = text.find('\n', start);
    if (end == std::string_view::npos) return std::nullopt;  // cut short
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (header) {
      if (line != kHeader) return std::nullopt;
      header = false;
      continue;
    }
    const std::vector<std::string_view> f = Fields(line);
    if (!std::all_of(f.begin() + 1, f.end(), Keepable)) return std::nullopt;
    if (f.size() == 2 && f[0] == "stop" && lists.stops.size() < kKept) lists.stops.emplace_back(f[1]);
    else if (f.size() == 2 && f[0] == "line" && lists.lines.size() < kKept) lists.lines.emplace_back(f[1]);
    else if (f.size() == 3 && f[0] == "pair" && lists.pairs.size() < kKept) lists.pairs.emplace_back(f[1], f[2]);
    else return std::nullopt;
  }
  if (header) return std::nullopt;
  return lists;
}

void RecentQueries::Load() {
  lists_ = {};
  if (file_.empty()) return;
  std::error_code ec;
  if (!fs::exists(file_, ec) && !ec) return;
  std::optional<QueryLists> read;
  if (const auto size = fs::file_size(file_, ec); !ec && size <= kLargestFile) {
    std::ifstream in(file_, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.good() || in.eof()) read = Parse(text);
  }
  if (read) lists_ = std::move(*read);
  else Save();  // what cannot be read is replaced by an empty history
}

void RecentQueries::AddStop(std::string_view text) {
  if (!Keepable(text)) return;
  Remember(lists_.stops, std::string(text));
  Save();
}

void RecentQueries::AddLine(std::string_view text) {
  if (!Keepable(text)) return;
  Remember(lists_.lines, std::string(text));
  Save();
}

void RecentQueries::AddPair(std::string_view from, std::string_view to) {
  if (!Keepable(from) || !Keepable(to)) return;
  Remember(lists_.pairs, std::pair(std::string(from), std::string(to)));
  Save();
}

bool RecentQueries::Save() const {
  if (file_.empty()) return false;
  std::error_code ec;
  fs::create_directories(file_.parent_path(), ec);
  const fs::path temp = fs::path(file_).concat(".tmp");
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << Format(lists_);
    out.flush();
    if (!out) {
      out.close();
      fs::remove(temp, ec);
      return false;
    }
  }
  fs::rename(temp, file_, ec);
  if (!ec) return true;
  fs::remove(temp, ec);
  return false;
}

std::vector<std::string> StartingWith(const std::vector<std::string>& remembered, std::string_view prefix) {
  std::vector<std::string> found;
  for (const std::string& text : remembered)
    if (text.size() >= prefix.size() && EqualsIgnoringAsciiCase(std::string_view(text).substr(0, prefix.size()), prefix))
      found.push_back(text);
  return found;
}

}  // namespace bus::app
