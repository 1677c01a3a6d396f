// The last texts searched for from each box, kept across runs in a small file: the stop box's, the
// line box's and the two-stop boxes' (as pairs), at most kKept of each, the latest first. Portable.
//
// The file is UTF-8 text: a first line kHeader, then one line per query, "stop<TAB>text",
// "line<TAB>text" or "pair<TAB>from<TAB>to". A file that is not of this form (another program's,
// damaged, cut short) is no history at all: it is ignored, and replaced by the next save.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bus::app {

struct QueryLists {
  std::vector<std::string> stops;                           // the stop box's texts, latest first
  std::vector<std::string> lines;                           // the line box's
  std::vector<std::pair<std::string, std::string>> pairs;  // the two-stop boxes' (from, to)
  bool operator==(const QueryLists&) const = default;
};

class RecentQueries {
public:
  static constexpr size_t kKept = 20;
  static constexpr std::string_view kHeader = "BusSearch recent queries 1";
  // Files longer than this are not ours.
  static constexpr std::uintmax_t kLargestFile = 64 * 1024;

  // Kept in file; an empty path keeps nothing on disk.
  explicit RecentQueries(std::filesystem::path file = {}) : file_(std::move(file)) {}

  // Reads the file. Missing: no history. Unreadable or not of the form above: no history, and the
  // file is replaced at once by an empty one (when it can be written). Never throws for the file.
  void Load();
  // Remembers a search (a text that is empty or holds a control character is not kept) and saves.
  void AddStop(std::string_view text);
  void AddLine(std::string_view text);
  void AddPair(std::string_view from, std::string_view to);

  const QueryLists& Lists() const noexcept { return lists_; }
  // Writes the file, creating its folder, through a temporary file renamed over it. False when it
  // cannot be written: the history is a convenience, never an error.
  bool Save() const;

  // The file's text for lists, and lists from a file's text (nullopt when it is not of the form).
  static std::string Format(const QueryLists& lists);
  static std::optional<QueryLists> Parse(std::string_view text);

private:
  std::filesystem::path file_;  // where the history is kept; empty: nowhere
  QueryLists lists_;            // the history
};

// The texts among remembered that start with prefix (ASCII letters in either case), in order.
std::vector<std::string> StartingWith(const std::vector<std::string>& remembered, std::string_view prefix);

}  // namespace bus::app
