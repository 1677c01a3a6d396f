#include "search/StopIndex.h"

#include <algorithm>
#include <cassert>
#include <unordered_map>
#include <unordered_set>

#include "core/TextEncoding.h"
#include "db/Query.h"
#include "db/RouteTable.h"
#include "search/PinyinReadings.h"

namespace bus::search {

namespace {

// Ends every key in the key text; a text holding it matches nothing.
constexpr char kSeparator = '\n';

// c as a lower-case ASCII letter or digit (full-width forms included); 0 for anything else.
char AsciiAlphanumeric(char32_t c) {
  if (c >= 0xFF10 && c <= 0xFF5A) c -= 0xFEE0;  // full-width digits and letters
  if (c >= 'A' && c <= 'Z') return char(c - 'A' + 'a');
  if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return char(c);
  return 0;
}

// text with its letters folded to lower ASCII case (full-width letters and digits to ASCII ones)
// and the separator made a blank: what names and texts are compared as.
std::string Folded(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t start = i;
    char32_t c = 0;
    if (!DecodeUtf8(text, i, c)) folded += text[start];  // kept as it is: it matches only itself
    else if (const char ascii = AsciiAlphanumeric(c)) folded += ascii;
    else if (c == char32_t(kSeparator)) folded += ' ';
    else folded.append(text.substr(start, i - start));
  }
  return folded;
}

// The bytes of the slots before the first one with several alternatives: the same in every key.
size_t CertainPrefix(const std::vector<std::vector<std::string_view>>& slots) {
  size_t bytes = 0;
  for (const auto& slot : slots) {
    if (slot.size() > 1) break;
    bytes += slot.front().size();
  }
  return bytes;
}

// Every way of picking one alternative per slot, run together, the first alternatives first, at
// most StopIndex::kMostKeysPerKind; none when there is no slot.
std::vector<std::string> Combinations(const std::vector<std::vector<std::string_view>>& slots) {
  std::vector<std::string> keys;
  if (slots.empty()) return keys;
  std::vector<size_t> pick(slots.size(), 0);
  while (keys.size() < size_t(StopIndex::kMostKeysPerKind)) {
    std::string key;
    for (size_t s = 0; s < slots.size(); ++s) key.append(slots[s][pick[s]]);
    keys.push_back(std::move(key));
    size_t s = slots.size();
    while (s > 0 && ++pick[s - 1] == slots[s - 1].size()) pick[--s] = 0;
    if (s == 0) break;  // every combination made
  }
  return keys;
}

void AddDistinct(std::vector<std::string_view>& alternatives, std::string_view value) {
  if (std::find(alternatives.begin(), alternatives.end(), value) == alternatives.end()) alternatives.push_back(value);
}

}  // namespace

bool IsHanCharacter(char32_t c) noexcept {
  return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0x20000 && c <= 0x323AF);
}

NameKeys PinyinKeys(std::string_view name) {
  NameKeys result;
  // One slot per character that counts, holding its alternatives; letters and digits are their own.
  std::vector<std::vector<std::string_view>> full, initials;
  static constexpr std::string_view kAlphanumerics = "0123456789abcdefghijklmnopqrstuvwxyz";
  for (size_t i = 0; i < name.size();) {
    char32_t c = 0;
    if (!DecodeUtf8(name, i, c)) continue;
    if (const char ascii = AsciiAlphanumeric(c)) {
      const std::string_view self = kAlphanumerics.substr(kAlphanumerics.find(ascii), 1);
      full.push_back({self});
      initials.push_back({self});
      continue;
    }
    const CharacterReadings readings = ReadingsOf(c);
    if (readings.count == 0) {
      if (IsHanCharacter(c)) ++result.unreadable;
      continue;
    }
    std::vector<std::string_view>& syllables = full.emplace_back();
    std::vector<std::string_view>& letters = initials.emplace_back();
    for (int r = 0; r < readings.count; ++r) {
      AddDistinct(syllables, readings.items[size_t(r)]);
      AddDistinct(letters, readings.items[size_t(r)].substr(0, 1));
    }
  }
  result.pinyin = Combinations(full);
  result.initials = Combinations(initials);
  result.pinyinCertain = CertainPrefix(full);
  result.initialsCertain = CertainPrefix(initials);
  return result;
}

StopIndex::StopIndex(std::vector<IndexedStop> stops) {
  std::unordered_set<std::string> seen;
  stops_.reserve(stops.size());
  for (IndexedStop& stop : stops)
    if (seen.insert(stop.name).second) stops_.push_back(std::move(stop));
  firstKey_.reserve(stops_.size() + 1);
  for (std::uint32_t s = 0; s < stops_.size(); ++s) {
    firstKey_.push_back(std::uint32_t(keys_.size()));
    AddKeys(s);
  }
  firstKey_.push_back(std::uint32_t(keys_.size()));
  assert(keyText_.size() < 0xFFFFFFFFu);
}

void StopIndex::AddKeys(std::uint32_t stop) {
  const std::uint32_t first = std::uint32_t(keys_.size());
  const auto add = [&](StopKeyKind kind, std::string_view key, size_t certain) {
    if (key.empty()) return;
    for (std::uint32_t k = first; k < keys_.size(); ++k)
      if (std::string_view(keyText_).substr(keys_[k].offset, keys_[k].length) == key) return;
    keys_.push_back({std::uint32_t(keyText_.size()), std::uint32_t(key.size()),
                     std::uint32_t(std::min(certain, key.size())), stop, kind});
    keyText_.append(key);
    keyText_ += kSeparator;
  };
  const std::string name = Folded(stops_[stop].name);
  add(StopKeyKind::Name, name, name.size());
  const NameKeys keys = PinyinKeys(stops_[stop].name);
  for (const std::string& key : keys.pinyin) add(StopKeyKind::Pinyin, key, keys.pinyinCertain);
  for (const std::string& key : keys.initials) add(StopKeyKind::Initials, key, keys.initialsCertain);
}

StopIndex StopIndex::FromDatabase(db::Connection& connection) {
  db::Query query(connection);
  query.SetStatement("select * from way");
  query.Open();
  const int lineField = query.FindField("no");
  std::vector<int> stopFields;
  for (int k = 0; k < db::kStopFields; ++k)
    if (const int field = query.FindField(db::RouteFieldName(2 + k)); field >= 0) stopFields.push_back(field);

  std::vector<IndexedStop> stops;
  std::unordered_map<std::string, std::uint32_t> stopIds, lineIds;
  std::vector<std::uint64_t> servedBy;  // stop id << 32 | line id, once per cell
  query.First();
  for (int r = 0; r < query.RecordCount(); ++r, query.Next()) {
    const std::string_view line = lineField >= 0 ? query.Value(lineField) : std::string_view();
    const std::uint32_t lineId = lineIds.emplace(std::string(line), std::uint32_t(lineIds.size())).first->second;
    for (int field : stopFields) {
      const std::string_view name = query.Value(field);
      if (name.empty()) continue;
      const auto [it, added] = stopIds.emplace(std::string(name), std::uint32_t(stops.size()));
      if (added) stops.push_back({std::string(name), 0});
      servedBy.push_back(std::uint64_t(it->second) << 32 | lineId);
    }
  }
  std::sort(servedBy.begin(), servedBy.end());
  servedBy.erase(std::unique(servedBy.begin(), servedBy.end()), servedBy.end());
  for (std::uint64_t pair : servedBy) ++stops[size_t(pair >> 32)].lines;
  return StopIndex(std::move(stops));
}

std::vector<std::pair<StopKeyKind, std::string_view>> StopIndex::Keys(size_t i) const {
  std::vector<std::pair<StopKeyKind, std::string_view>> keys;
  for (std::uint32_t k = firstKey_[i]; k < firstKey_[i + 1]; ++k)
    keys.emplace_back(keys_[k].kind, std::string_view(keyText_).substr(keys_[k].offset, keys_[k].length));
  return keys;
}

std::vector<StopSuggestion> StopIndex::Suggest(std::string_view text, size_t limit) const {
  std::string wanted = Folded(text);
  if (std::all_of(wanted.begin(), wanted.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    std::erase_if(wanted, [](char c) { return c == ' ' || c == '\''; });
  if (wanted.empty() || limit == 0) return {};

  // Per stop, its best key so far: one that is the text beats one that starts with it, which
  // beats one that contains it, and at each of these a match that no choice of reading made beats
  // one that needed it; of equals the first (name, then pinyin, then initials) stays.
  enum Rank : std::uint8_t {
    kWhole, kWholeByReading, kStarts, kStartsByReading, kContains, kContainsByReading, kNone
  };
  struct Hit {
    std::uint32_t key = 0;  // index into keys_
    Rank rank = kNone;      // how that key matched
  };
  std::vector<Hit> hits(stops_.size());
  std::vector<std::uint32_t> found;  // stops with a hit, in the order found
  const std::string_view all(keyText_);
  for (size_t at = all.find(wanted); at != std::string_view::npos;) {
    const auto after = std::upper_bound(keys_.begin(), keys_.end(), at,
                                        [](size_t offset, const Key& key) { return offset < key.offset; });
    const std::uint32_t k = std::uint32_t(after - keys_.begin()) - 1;
    const Key& key = keys_[k];
    Hit& hit = hits[key.stop];
    if (hit.rank == kNone) found.push_back(key.stop);
    const size_t end = at - key.offset + wanted.size();
    const int byReading = end > key.certain ? 1 : 0;
    const Rank rank = Rank((at != key.offset ? kContains : key.length == wanted.size() ? kWhole : kStarts) + byReading);
    if (rank < hit.rank) hit = {k, rank};
    // A stop whose key is the text cannot do better: go on with the next stop's keys.
    size_t resume = key.offset + key.length + 1;
    if (hit.rank == kWhole) {
      const std::uint32_t nextStop = firstKey_[key.stop + 1];
      resume = nextStop < keys_.size() ? keys_[nextStop].offset : all.size();
    }
    at = all.find(wanted, resume);
  }

  const auto better = [&](std::uint32_t a, std::uint32_t b) {
    if (hits[a].rank != hits[b].rank) return hits[a].rank < hits[b].rank;
    if (stops_[a].lines != stops_[b].lines) return stops_[a].lines > stops_[b].lines;
    return stops_[a].name < stops_[b].name;
  };
  const size_t count = std::min(limit, found.size());
  std::partial_sort(found.begin(), found.begin() + long(count), found.end(), better);
  std::vector<StopSuggestion> suggestions;
  suggestions.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const std::uint32_t stop = found[i];
    const Key& key = keys_[hits[stop].key];
    suggestions.push_back({stops_[stop].name, all.substr(key.offset, key.length), key.kind,
                           hits[stop].rank < kContains, stops_[stop].lines});
  }
  return suggestions;
}

}  // namespace bus::search
