// The stop index: the distinct stop names of the route database, each findable by the name
// itself, its full pinyin and its pinyin initials, for suggesting stops while the user types.
//
// Keys of a name, all lower-case:
//   name      the name with ASCII letters folded to lower case ("t3航站楼");
//   pinyin    the readings of its characters run together ("zhonglou");
//   initials  the first letter of each reading ("zl").
// A character with several readings (长: chang, zhang) gives one pinyin and one initials key per
// combination, the customary readings first, so whichever the user types matches; a name gives at
// most kMostKeysPerKind of each. ASCII letters and digits keep themselves in every key (T3航站楼:
// "t3hangzhanlou", "t3hzl"; full-width ones count as ASCII); anything else without a reading
// (brackets, dashes, a character the table lacks) is left out of the pinyin keys.
//
// A text matches a key that contains it; letters are compared without case, and in a text of
// ASCII letters and digits, blanks and apostrophes are ignored ("xi'an" is "xian"). Suggestions are
// ranked: names with a key that is the whole text, then those with a key that starts with it,
// then those with a key containing it. Within each, a match that relies on one of a character's
// several readings comes after one that does not: "zl" lists 钟楼西 before 长乐路口, which only
// reads "zl" with 长 as zhang. Among equals, the stop served by more lines comes first, then by
// name (byte order).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bus::db {
class Connection;
}

namespace bus::search {

// Which kind of key matched.
enum class StopKeyKind : std::uint8_t { Name, Pinyin, Initials };

// A stop as the index holds it.
struct IndexedStop {
  std::string name;  // as stored in the stop cells
  int lines = 0;     // distinct line numbers whose records name the stop
};

// One suggestion. The views stay valid while the index lives and is not rebuilt.
struct StopSuggestion {
  std::string_view name;  // the stop's name
  std::string_view key;   // the key that matched best
  StopKeyKind kind = StopKeyKind::Name;  // which kind of key that is
  bool startsWith = false;  // the key starts with the text (else it contains it)
  int lines = 0;            // lines serving the stop
};

class StopIndex {
public:
  // The most pinyin (and the most initials) keys one name gets.
  static constexpr int kMostKeysPerKind = 32;
  // The most suggestions Suggest gives unless told otherwise.
  static constexpr size_t kDefaultLimit = 10;

  StopIndex() = default;
  // Indexes stops; names that repeat are taken once (the first one's line count).
  explicit StopIndex(std::vector<IndexedStop> stops);

  // The index of the open database's table way: every distinct non-empty value of its stop cells
  // (w0 .. w48), with the number of distinct line numbers (no) of the records that hold it. Throws
  // db::DatabaseError when the table cannot be read.
  static StopIndex FromDatabase(db::Connection& connection);

  // Suggestions for text, best first, at most limit. None for a text that is empty or holds only
  // blanks and apostrophes.
  std::vector<StopSuggestion> Suggest(std::string_view text, size_t limit = kDefaultLimit) const;

  size_t StopCount() const noexcept { return stops_.size(); }
  const IndexedStop& Stop(size_t i) const { return stops_[i]; }
  // The keys of stop i: its name key, then its pinyin keys, then its initials keys.
  std::vector<std::pair<StopKeyKind, std::string_view>> Keys(size_t i) const;

private:
  struct Key {
    std::uint32_t offset;   // start in keyText_
    std::uint32_t length;   // bytes, without the separator
    std::uint32_t certain;  // leading bytes that no choice among a character's readings made
    std::uint32_t stop;     // index into stops_
    StopKeyKind kind;       // what kind of key
  };

  struct Distinct {};  // the stops given are known to have distinct names
  StopIndex(std::vector<IndexedStop> stops, Distinct);
  void AddKeys(std::uint32_t stop);

  std::vector<IndexedStop> stops_;  // every distinct stop, in the order given
  std::string keyText_;             // every key, each followed by kSeparator, stop by stop
  std::vector<Key> keys_;           // the keys in keyText_ order
  std::vector<std::uint32_t> firstKey_;  // per stop, its first entry in keys_ (one more at the end)
};

// The pinyin and initials keys of name, as the index makes them: {pinyin..., initials...}.
struct NameKeys {
  std::vector<std::string> pinyin;    // at most StopIndex::kMostKeysPerKind
  std::vector<std::string> initials;  // at most StopIndex::kMostKeysPerKind
  size_t pinyinCertain = 0;    // leading bytes of every pinyin key that no choice of reading made
  size_t initialsCertain = 0;  // the same for the initials keys
  int unreadable = 0;          // Han characters the readings table does not know
};
NameKeys PinyinKeys(std::string_view name);

// Whether c is a CJK ideograph (the blocks the readings table covers).
bool IsHanCharacter(char32_t c) noexcept;

}  // namespace bus::search
