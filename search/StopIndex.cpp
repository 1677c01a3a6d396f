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

// The characters of a name that count for its pinyin keys, one slot each, holding the slot's
// alternatives (a character's distinct readings, or their distinct first letters); a letter or
// digit is its own one alternative.
class Slots {
public:
  // Adds value to the slot being filled unless it holds it already.
  void Add(std::string_view value) {
    if (std::find(alternatives_.begin() + long(SlotStart()), alternatives_.end(), value) == alternatives_.end())
      alternatives_.push_back(value);
  }
  // Ends the slot being filled.
  void EndSlot() { ends_.push_back(std::uint32_t(alternatives_.size())); }

  // The bytes of the slots before the first one with several alternatives: the same in every key.
  size_t CertainPrefix() const {
    size_t bytes = 0;
    for (size_t s = 0, start = 0; s < ends_.size(); start = ends_[s++]) {
      if (ends_[s] - start > 1) break;
      bytes += alternatives_[start].size();
    }
    return bytes;
  }

  // Calls emit(key) for every way of picking one alternative per slot, run together, the first
  // alternatives first, at most StopIndex::kMostKeysPerKind times; never without a slot. key is
  // valid during the call only.
  template <class Emit>
  void ForEachCombination(std::string& key, Emit emit) const {
    if (ends_.empty()) return;
    pick_.assign(ends_.size(), 0);
    for (int made = 0; made < StopIndex::kMostKeysPerKind; ++made) {
      key.clear();
      for (size_t s = 0; s < ends_.size(); ++s) key.append(alternatives_[Start(s) + pick_[s]]);
      emit(std::string_view(key));
      size_t s = ends_.size();
      while (s > 0 && Start(s - 1) + ++pick_[s - 1] == ends_[s - 1]) pick_[--s] = 0;
      if (s == 0) return;  // every combination made
    }
  }

private:
  size_t Start(size_t slot) const { return slot == 0 ? 0 : ends_[slot - 1]; }
  size_t SlotStart() const { return ends_.empty() ? 0 : ends_.back(); }

  std::vector<std::string_view> alternatives_;  // every slot's alternatives, slot after slot
  std::vector<std::uint32_t> ends_;              // per slot, the end of its alternatives
  mutable std::vector<std::uint32_t> pick_;      // ForEachCombination's choice per slot
};

struct NameSlots {
  Slots full;          // for the pinyin keys
  Slots initials;      // for the initials keys
  int unreadable = 0;  // Han characters without a reading
};

NameSlots SlotsOf(std::string_view name) {
  NameSlots slots;
  static constexpr std::string_view kAlphanumerics = "0123456789abcdefghijklmnopqrstuvwxyz";
  for (size_t i = 0; i < name.size();) {
    char32_t c = 0;
    if (!DecodeUtf8(name, i, c)) continue;
    if (const char ascii = AsciiAlphanumeric(c)) {
      const std::string_view self = kAlphanumerics.substr(kAlphanumerics.find(ascii), 1);
      slots.full.Add(self);
      slots.initials.Add(self);
    } else if (const CharacterReadings readings = ReadingsOf(c); readings.count > 0) {
      for (int r = 0; r < readings.count; ++r) {
        slots.full.Add(readings.items[size_t(r)]);
        slots.initials.Add(readings.items[size_t(r)].substr(0, 1));
      }
    } else {
      if (IsHanCharacter(c)) ++slots.unreadable;
      continue;
    }
    slots.full.EndSlot();
    slots.initials.EndSlot();
  }
  return slots;
}

// Texts numbered in the order first seen, looked up without copying the text.
struct TextHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const noexcept { return std::hash<std::string_view>()(text); }
};
using IdMap = std::unordered_map<std::string, std::uint32_t, TextHash, std::equal_to<>>;

std::uint32_t IdOf(IdMap& ids, std::string_view text) {
  if (const auto it = ids.find(text); it != ids.end()) return it->second;
  return ids.emplace(std::string(text), std::uint32_t(ids.size())).first->second;
}

}  // namespace

bool IsHanCharacter(char32_t c) noexcept {
  return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0x20000 && c <= 0x323AF);
}

NameKeys PinyinKeys(std::string_view name) {
  const NameSlots slots = SlotsOf(name);
  NameKeys result;
  std::string key;
  slots.full.ForEachCombination(key, [&](std::string_view k) { result.pinyin.emplace_back(k); });
  slots.initials.ForEachCombination(key, [&](std::string_view k) { result.initials.emplace_back(k); });
  result.pinyinCertain = slots.full.CertainPrefix();
  result.initialsCertain = slots.initials.CertainPrefix();
  result.unreadable = slots.unreadable;
  return result;
}

namespace {

// stops without the later of any two with the same name.
std::vector<IndexedStop> WithDistinctNames(std::vector<IndexedStop> stops) {
  std::unordered_set<std::string> seen;
  std::erase_if(stops, [&](const IndexedStop& stop) { return !seen.insert(stop.name).second; });
  return stops;
}

}  // namespace

StopIndex::StopIndex(std::vector<IndexedStop> stops) : StopIndex(WithDistinctNames(std::move(stops)), Distinct{}) {}

StopIndex::StopIndex(std::vector<IndexedStop> stops, Distinct) : stops_(std::move(stops)) {
  keyText_.reserve(stops_.size() * 96);  // about what names of 5 to 8 characters give
  keys_.reserve(stops_.size() * 6);
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
  const NameSlots slots = SlotsOf(stops_[stop].name);
  std::string key;
  const size_t pinyinCertain = slots.full.CertainPrefix(), initialsCertain = slots.initials.CertainPrefix();
  slots.full.ForEachCombination(key, [&](std::string_view k) { add(StopKeyKind::Pinyin, k, pinyinCertain); });
  slots.initials.ForEachCombination(key, [&](std::string_view k) { add(StopKeyKind::Initials, k, initialsCertain); });
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
  IdMap stopIds, lineIds;
  std::vector<std::uint64_t> servedBy;  // stop id << 32 | line id, once per cell
  query.First();
  std::vector<std::uint32_t> lastLine;  // per stop, the line it was last seen on: the records of a
                                        // line usually follow each other, so few pairs repeat
  for (int r = 0; r < query.RecordCount(); ++r, query.Next()) {
    const std::uint32_t lineId = IdOf(lineIds, lineField >= 0 ? query.Value(lineField) : std::string_view());
    for (int field : stopFields) {
      const std::string_view name = query.Value(field);
      if (name.empty()) continue;
      const std::uint32_t stopId = IdOf(stopIds, name);
      if (stopId == stops.size()) {
        stops.push_back({std::string(name), 0});
        lastLine.push_back(lineId);
      } else if (lastLine[stopId] == lineId) {
        continue;
      }
      lastLine[stopId] = lineId;
      servedBy.push_back(std::uint64_t(stopId) << 32 | lineId);
    }
  }
  std::sort(servedBy.begin(), servedBy.end());
  servedBy.erase(std::unique(servedBy.begin(), servedBy.end()), servedBy.end());
  for (std::uint64_t pair : servedBy) ++stops[size_t(pair >> 32)].lines;
  return StopIndex(std::move(stops), Distinct{});
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
  std::uint32_t k = 0;  // the key holding the match: matches come in key order
  for (size_t at = all.find(wanted); at != std::string_view::npos;) {
    while (k + 1 < keys_.size() && keys_[k + 1].offset <= at) ++k;
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
