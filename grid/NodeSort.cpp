#include "grid/NodeSort.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

#include "grid/DBTreeListControlNode.h"

namespace bus {

namespace {

const Variant kNoValue;

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

// The first 8 bytes of text as a number that orders as the bytes do.
std::uint64_t Prefix(std::string_view text) {
  std::uint64_t p = 0;
  for (std::size_t i = 0; i < 8; ++i) p = (p << 8) | (i < text.size() ? std::uint8_t(text[i]) : 0u);
  return p;
}

// The key tie-break: ascending by key, then by node identity for equal keys; 0 when a key is
// missing.
int CompareKeys(const TrgSortEntry& a, const TrgSortEntry& b) {
  if (!a.key || !b.key || a.key->IsEmpty() || b.key->IsEmpty()) return 0;
  if (*a.key == *b.key) {
    const std::less<const TrgTreeListNode*> less;
    return less(a.node, b.node) ? -1 : (less(b.node, a.node) ? 1 : 0);
  }
  return VarCompare(*a.key, *b.key) < 0 ? -1 : 1;
}

// Sorts entries[lo, hi) with cmp. Every index stays inside the range even when cmp is not a
// strict weak order: partitioning is Lomuto's (the pivot ends in place, both sides shrink), small
// ranges use a bounded insertion sort, and too deep a recursion falls back to a heap sort.
template <class Cmp>
void GuardedSort(std::vector<TrgSortEntry>& v, std::size_t lo, std::size_t hi, int depth, const Cmp& cmp) {
  constexpr std::size_t kSmall = 16;
  auto less = [&](const TrgSortEntry& a, const TrgSortEntry& b) { return cmp(a, b) < 0; };
  while (hi - lo > kSmall) {
    if (depth-- == 0) {
      std::make_heap(v.begin() + std::ptrdiff_t(lo), v.begin() + std::ptrdiff_t(hi), less);
      std::sort_heap(v.begin() + std::ptrdiff_t(lo), v.begin() + std::ptrdiff_t(hi), less);
      return;
    }
    // median of three into the last place
    const std::size_t mid = lo + (hi - lo) / 2, last = hi - 1;
    if (less(v[mid], v[lo])) std::swap(v[mid], v[lo]);
    if (less(v[last], v[lo])) std::swap(v[last], v[lo]);
    if (less(v[mid], v[last])) std::swap(v[mid], v[last]);
    const TrgSortEntry pivot = v[last];
    std::size_t store = lo;
    for (std::size_t i = lo; i < last; ++i)
      if (less(v[i], pivot)) std::swap(v[i], v[store++]);
    std::swap(v[store], v[last]);
    // recurse into the smaller side, loop on the larger
    if (store - lo < hi - store - 1) {
      GuardedSort(v, lo, store, depth, cmp);
      lo = store + 1;
    } else {
      GuardedSort(v, store + 1, hi, depth, cmp);
      hi = store;
    }
  }
  for (std::size_t i = lo + 1; i < hi; ++i)
    for (std::size_t j = i; j > lo && less(v[j], v[j - 1]); --j) std::swap(v[j], v[j - 1]);
}

std::string AsciiUpper(std::string_view text) {
  std::string s(text);
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return s;
}

}  // namespace

int CompareSortEntries(const TrgSortEntry& a, const TrgSortEntry& b, const TrgSortSettings& s) {
  if (s.compare) {
    if (const int r = s.compare(a.node, b.node); r != 0) return r;
    return CompareKeys(a, b);
  }
  int result = 0;
  if (s.stringValues) {
    if (s.ansiSort && s.collate) {
      if (a.text != b.text) result = Sign(s.collate(a.text, b.text));
    } else if (a.prefix != b.prefix) {
      result = a.prefix < b.prefix ? -1 : 1;
    } else if (a.text != b.text) {
      result = a.text < b.text ? -1 : 1;  // byte order: string_view compares as unsigned char
    }
  } else {
    const Variant& va = a.value ? *a.value : kNoValue;
    const Variant& vb = b.value ? *b.value : kNoValue;
    if (!(va == vb)) {
      if (s.ansiSort && s.collate && va.Kind() == TVarKind::String)
        result = Sign(s.collate(va.AsString(), vb.AsString()));
      else
        result = VarCompare(va, vb);
    }
  }
  if (result != 0) return s.descending ? -result : result;
  return CompareKeys(a, b);
}

void SortNodes(std::vector<TrgTreeListNode*>& nodes, const TrgSortSettings& s) {
  if (nodes.size() < 2) return;
  std::vector<TrgSortEntry> entries(nodes.size());
  std::vector<std::string> upper;  // upper-cased texts, only when case is ignored
  if (s.stringValues && s.caseInsensitive) upper.resize(nodes.size());
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    TrgSortEntry& e = entries[i];
    e.node = nodes[i];
    if (auto* db = dynamic_cast<TrgDBTreeListControlNode*>(nodes[i])) {
      e.key = &db->KeyValue();
      if (s.stringValues) e.text = db->Strings(s.column);
      else e.value = db->Value(s.column);
    } else if (auto* text = dynamic_cast<TrgTreeListTextNode*>(nodes[i])) {
      e.text = text->Strings(s.column);
    }
    if (!upper.empty()) {
      upper[i] = s.upperCase ? s.upperCase(e.text) : AsciiUpper(e.text);
      e.text = upper[i];
    }
    e.prefix = Prefix(e.text);
  }
  const int depth = 2 * int(std::log2(double(entries.size())) + 1);
  GuardedSort(entries, 0, entries.size(), depth,
              [&s](const TrgSortEntry& a, const TrgSortEntry& b) { return CompareSortEntries(a, b, s); });
  for (std::size_t i = 0; i < entries.size(); ++i) nodes[i] = entries[i].node;
}

}  // namespace bus
