#include "skin/data/LZH.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <utility>

namespace bus {

namespace {

constexpr int kRingSize = 4096;                            // N: dictionary size
constexpr int kLongestMatch = 60;                          // F
constexpr int kThreshold = 2;                              // a match is longer than this
constexpr int kSymbols = 256 - kThreshold + kLongestMatch;  // N_CHAR: literals and match lengths
constexpr int kNodes = 2 * kSymbols - 1;                   // T
constexpr int kRoot = kNodes - 1;                          // R
constexpr unsigned kMaxFreq = 0x8000;                      // the tree is rebuilt at this root count

// The ring starts with N - F blanks; its last F bytes are never read before they are written
// except by a corrupt stream, which then reads zeros. The expansion keeps its output flat, preceded
// by this image of the ring as it looks before the first byte: a match reaching d bytes back from
// output position w reads prefix[kRingSize + w - d] while w < d.
constexpr int kBlankFill = kRingSize - kLongestMatch;

const char* const kNoMemory = "LZH : Cannot get memory for dictionary tables";

// Position prefix code: the upper 6 bits of a match position, looked up from the next 8 input bits.
struct PositionTables {
  std::array<std::uint8_t, 256> code{};  // d_code: upper 6 bits, by the next 8 input bits
  std::array<std::uint8_t, 256> len{};   // d_len: bits the prefix and low bits consume, minus 6
  std::array<std::uint8_t, 64> encode{};   // prefix code of each upper value (its len() bits)
  std::array<std::uint8_t, 64> encodeLen{};  // length of that prefix code

  constexpr PositionTables() {
    // (indices per value, number of values, code length)
    constexpr int groups[6][3] = {{32, 1, 3}, {16, 3, 4}, {8, 8, 5}, {4, 12, 6}, {2, 24, 7}, {1, 16, 8}};
    int index = 0;
    int value = 0;
    for (const auto& g : groups) {
      for (int v = 0; v < g[1]; ++v, ++value) {
        encode[value] = std::uint8_t(index >> (8 - g[2]));
        encodeLen[value] = std::uint8_t(g[2]);
        for (int k = 0; k < g[0]; ++k, ++index) {
          code[index] = std::uint8_t(value);
          len[index] = std::uint8_t(g[2]);
        }
      }
    }
  }
};
constexpr PositionTables kPositions;
static_assert(kPositions.code[255] == 63 && kPositions.len[0] == 3 && kPositions.len[255] == 8);

// The adaptive Huffman tree of literals and match lengths. Frequencies stay sorted ascending by
// node index; a node's children are son[node] and son[node] + 1.
class HuffmanTree {
public:
  // Deepest walk Decode takes: a tree whose counts stay below kMaxFreq is at most about 22 deep
  // (a leaf at depth d needs a root count of a Fibonacci number of order d), and a symbol's bits
  // plus a position's 14 must fit in the 57 bits a refill provides.
  static constexpr int kMaxDepth = 40;

  HuffmanTree() {
    for (int i = 0; i < kSymbols; ++i) {
      freq_[i] = 1;
      son_[i] = std::uint16_t(i + kNodes);
      prnt_[i + kNodes] = std::uint16_t(i);
    }
    for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
      freq_[j] = std::uint16_t(freq_[i] + freq_[i + 1]);
      son_[j] = std::uint16_t(i);
      prnt_[i] = prnt_[i + 1] = std::uint16_t(j);
    }
    freq_[kNodes] = 0xFFFF;
    prnt_[kRoot] = 0;
  }

  int FirstChild(int node) const noexcept { return son_[node]; }
  int LeafOf(int symbol) const noexcept { return prnt_[symbol + kNodes]; }
  int Parent(int node) const noexcept { return prnt_[node]; }

  // Reads one symbol, walking from the root by the input's bits, and counts it exactly as Update
  // does. The first kShortcutBits levels of the walk come from a table of shortcuts, which stays
  // valid until a swap or a rebuild changes the children of a node one of them passed. The climb
  // back up follows the nodes the walk passed until a swap moves the counted subtree.
  template <typename Reader>
  unsigned Decode(Reader& in) noexcept {
    std::uint16_t path[kMaxDepth + 1];  // the nodes walked, from the root
    const unsigned prefix = in.PeekBits(kShortcutBits);
    Shortcut& s = shortcuts_[prefix];
    if (s.generation != generation_) FillShortcut(s, prefix);
    std::memcpy(path, s.path, sizeof s.path);
    unsigned depth = s.count;
    in.SkipBits(s.bits);
    unsigned c = s.node;
    unsigned next = son_[c];
    if (depth == s.bits) {  // the shortcut stopped before node c: go on from there
      while (true) {
        path[depth++] = std::uint16_t(c);
        next = son_[c];
        if (next >= unsigned(kNodes)) break;
        c = next + in.TakeBit();
        if (depth == unsigned(kMaxDepth)) break;  // cannot happen with counts below kMaxFreq; keeps the bits in hand
      }
    }
    if (next < unsigned(kNodes)) {
      Update(0);
      return 0;
    }
    const unsigned symbol = next - kNodes;
    if (freq_[kRoot] == kMaxFreq) {
      Update(int(symbol));
      return symbol;
    }
    unsigned i = depth - 1;
    while (true) {
      const unsigned k = ++freq_[c];
      if (k > freq_[c + 1]) {
        c = unsigned(Swap(int(c), k));
        while ((c = prnt_[c]) != 0) {
          const unsigned kk = ++freq_[c];
          if (kk > freq_[c + 1]) c = unsigned(Swap(int(c), kk));
        }
        return symbol;
      }
      if (i == 0) return symbol;
      c = path[--i];
    }
  }

  // Counts one more occurrence of symbol and restores the ordering.
  void Update(int symbol) noexcept {
    if (freq_[kRoot] == kMaxFreq) Rebuild();
    int c = prnt_[symbol + kNodes];
    do {
      const unsigned k = ++freq_[c];
      if (k > freq_[c + 1]) c = Swap(c, k);
    } while ((c = prnt_[c]) != 0);
  }

private:
  // The walk of the first kShortcutBits bits of every input: where it ends and what it passed.
  static constexpr int kShortcutBits = 6;
  struct Shortcut {
    std::uint32_t generation = 0;                  // valid while it equals generation_
    std::uint8_t count = 0;                        // nodes in path
    std::uint8_t bits = 0;                         // input bits the walk took
    std::uint16_t node = 0;                        // where it ended: a leaf (count = bits + 1), or a node
                                                   // yet to be passed (count = bits)
    std::uint16_t path[kShortcutBits + 2] = {};   // the nodes whose children it read, from the root
  };

  void FillShortcut(Shortcut& s, unsigned prefix) noexcept {
    unsigned c = kRoot;
    unsigned count = 0, bits = 0;
    while (bits < unsigned(kShortcutBits)) {
      s.path[count++] = std::uint16_t(c);
      readBy_[c] = generation_;
      const unsigned next = son_[c];
      if (next >= unsigned(kNodes)) break;
      c = next + (prefix >> (kShortcutBits - 1 - bits) & 1);
      ++bits;
    }
    s.count = std::uint8_t(count);
    s.bits = std::uint8_t(bits);
    s.node = std::uint16_t(c);
    s.generation = generation_;
  }
  // Every shortcut becomes stale.
  void DropShortcuts() noexcept {
    if (++generation_ == 0) {
      for (Shortcut& s : shortcuts_) s.generation = 0;
      readBy_.fill(0);
      generation_ = 1;
    }
  }

  // Node c has just reached count k, more than its right neighbour's: exchanges it with the last
  // node whose count is still below k, so that counts stay sorted; returns where c's subtree went.
  int Swap(int c, unsigned k) noexcept {
    // counts are sorted and the sentinel stops every search; runs of equal counts can be long, so
    // gallop, then halve
    int lo = c + 1;  // freq_[lo] < k
    int step = 1;
    while (k > freq_[std::min(lo + step, kNodes)]) {
      lo += step;
      step *= 2;
    }
    int hi = std::min(lo + step, kNodes);  // freq_[hi] >= k
    while (hi - lo > 1) {
      const int mid = (lo + hi) / 2;
      if (k > freq_[mid]) lo = mid;
      else hi = mid;
    }
    const int l = lo;
    if (readBy_[c] == generation_ || readBy_[l] == generation_) DropShortcuts();
    freq_[c] = freq_[l];
    freq_[l] = std::uint16_t(k);
    const int i = son_[c];
    prnt_[i] = std::uint16_t(l);
    if (i < kNodes) prnt_[i + 1] = std::uint16_t(l);
    const int j = son_[l];
    son_[l] = std::uint16_t(i);
    prnt_[j] = std::uint16_t(c);
    if (j < kNodes) prnt_[j + 1] = std::uint16_t(c);
    son_[c] = std::uint16_t(j);
    return l;
  }

  // Halves every leaf's count and builds the tree anew from the leaves.
  void Rebuild() noexcept {
    DropShortcuts();
    int j = 0;
    for (int i = 0; i < kNodes; ++i) {
      if (son_[i] >= kNodes) {
        freq_[j] = std::uint16_t((freq_[i] + 1) / 2);
        son_[j] = son_[i];
        ++j;
      }
    }
    for (int i = 0, n = kSymbols; n < kNodes; i += 2, ++n) {
      const unsigned f = unsigned(freq_[i]) + freq_[i + 1];
      int k = n - 1;
      while (f < freq_[k]) --k;
      ++k;
      std::memmove(&freq_[k + 1], &freq_[k], std::size_t(n - k) * sizeof freq_[0]);
      std::memmove(&son_[k + 1], &son_[k], std::size_t(n - k) * sizeof son_[0]);
      freq_[k] = std::uint16_t(f);
      son_[k] = std::uint16_t(i);
    }
    for (int i = 0; i < kNodes; ++i) {
      const int k = son_[i];
      prnt_[k] = std::uint16_t(i);
      if (k < kNodes) prnt_[k + 1] = std::uint16_t(i);
    }
  }

  std::array<std::uint16_t, kNodes + 1> freq_{};          // counts; freq_[kNodes] is a sentinel
  std::array<std::uint16_t, kNodes> son_{};               // first child, or kNodes + symbol at a leaf
  std::array<std::uint16_t, kNodes + kSymbols> prnt_{};  // parent; at kNodes + symbol the symbol's leaf
  std::array<Shortcut, 1 << kShortcutBits> shortcuts_{};  // first levels of the walk, by input bits
  std::array<std::uint32_t, kNodes> readBy_{};            // generation of the shortcuts that read a node's children
  std::uint32_t generation_ = 1;                          // shortcuts of another generation are stale
};

// Reads the source most significant bit first; past its end every bit is 0.
class BitReader {
public:
  BitReader(const std::uint8_t* data, std::size_t size) : next_(data), end_(data + size), start_(data) {}

  // Makes at least 57 bits available, so that a symbol and a position can usually be taken
  // without a further refill.
  void Refill() noexcept {
    if (count_ > 56) return;
    if (end_ - next_ >= 8) {
      // whole bytes that fit go in; the bits of the next byte below them are the stream's own, so
      // loading them again later changes nothing
      std::uint64_t v = 0;
      for (int i = 0; i < 8; ++i) v = v << 8 | next_[i];
      buffer_ |= v >> count_;
      const int bytes = (63 - count_) >> 3;
      next_ += bytes;
      count_ += bytes * 8;
      return;
    }
    while (count_ <= 56) {
      const std::uint64_t b = next_ < end_ ? *next_++ : (++pastEnd_, 0u);
      buffer_ |= b << (56 - count_);
      count_ += 8;
    }
  }
  // One bit that a Refill has already provided.
  unsigned TakeBit() noexcept {
    const unsigned b = unsigned(buffer_ >> 63);
    buffer_ <<= 1;
    --count_;
    return b;
  }
  // The next n bits (1 <= n <= 8), left in place.
  unsigned PeekBits(int n) const noexcept { return unsigned(buffer_ >> (64 - n)); }
  // Drops n bits (0 <= n <= 8) that a Refill has already provided.
  void SkipBits(int n) noexcept {
    buffer_ <<= n;
    count_ -= n;
  }
  // n bits (1 <= n <= 8) that a Refill has already provided.
  unsigned TakeBits(int n) noexcept {
    const unsigned b = unsigned(buffer_ >> (64 - n));
    buffer_ <<= n;
    count_ -= n;
    return b;
  }
  // Source bytes that hold the bits taken so far.
  std::size_t Consumed() const noexcept {
    const std::size_t fed = std::size_t(next_ - start_) + pastEnd_;
    const std::size_t taken = fed * 8 - std::size_t(count_);
    return std::min<std::size_t>((taken + 7) / 8, std::size_t(end_ - start_));
  }

private:
  std::uint64_t buffer_ = 0;     // pending bits, left-aligned
  int count_ = 0;                // how many bits of buffer_ are pending
  const std::uint8_t* next_;     // next source byte
  const std::uint8_t* end_;      // end of the source
  const std::uint8_t* start_;    // start of the source
  std::size_t pastEnd_ = 0;      // zero bytes supplied after the end
};

// Appends bits most significant first.
class BitWriter {
public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void Put(std::uint32_t bits, int n) {
    assert(n <= 32);
    buffer_ = (buffer_ << n) | (bits & ((std::uint64_t(1) << n) - 1));
    count_ += n;
    while (count_ >= 8) {
      count_ -= 8;
      out_.push_back(std::uint8_t(buffer_ >> count_));
    }
  }
  void Flush() {
    if (count_ > 0) out_.push_back(std::uint8_t(buffer_ << (8 - count_)));
    count_ = 0;
  }

private:
  std::vector<std::uint8_t>& out_;  // the compressed bytes
  std::uint64_t buffer_ = 0;        // pending bits in the low count_ bits
  int count_ = 0;                   // pending bit count (< 8 between calls)
};

}  // namespace

std::vector<std::uint8_t> LzhExpand(std::span<const std::uint8_t> packed, std::size_t size,
                                    std::size_t* consumed) {
  std::vector<std::uint8_t> work;
  std::unique_ptr<HuffmanTree> tree;
  try {
    if (size > std::numeric_limits<std::size_t>::max() - kRingSize) throw std::bad_alloc();
    work.resize(kRingSize + size);
    tree = std::make_unique<HuffmanTree>();
  } catch (const std::bad_alloc&) {
    throw ElzhException(kNoMemory);
  } catch (const std::length_error&) {
    throw ElzhException(kNoMemory);
  }
  std::memset(work.data() + (kRingSize - kBlankFill), ' ', kBlankFill);

  std::uint8_t* const out = work.data() + kRingSize;  // out[-kRingSize .. -1] is the ring image
  BitReader in(packed.data(), packed.size());
  std::size_t w = 0;
  while (w < size) {
    in.Refill();
    const int c = int(tree->Decode(in));
    if (c < 256) {
      out[w++] = std::uint8_t(c);
      continue;
    }
    // the symbol took at most kMaxDepth bits of the refill, the position takes at most 14 more
    unsigned b = in.TakeBits(8);
    const unsigned upper = kPositions.code[b];
    const int more = kPositions.len[b] - 2;
    b = (b << more) | in.TakeBits(more);
    const std::size_t distance = ((std::size_t(upper) << 6) | (b & 0x3F)) + 1;
    const std::size_t length = std::min<std::size_t>(std::size_t(c - 255 + kThreshold), size - w);
    const std::uint8_t* from = out + w - distance;  // may reach into the ring image before out
    std::uint8_t* to = out + w;
    if (distance >= length) {
      std::memcpy(to, from, length);
    } else {
      for (std::size_t k = 0; k < length; ++k) to[k] = from[k];
    }
    w += length;
  }
  if (consumed) *consumed = in.Consumed();
  work.erase(work.begin(), work.begin() + kRingSize);
  return work;
}

namespace {

// Longest-match search over the data already passed, by chains of earlier positions with the same
// first three bytes.
class MatchFinder {
public:
  explicit MatchFinder(std::span<const std::uint8_t> data) : data_(data), head_(1 << 15, -1), prev_(kRingSize, -1) {}

  // Records position pos (which needs three bytes from pos on).
  void Insert(std::size_t pos) {
    if (pos + 3 > data_.size()) return;
    const std::uint32_t h = Hash(pos);
    prev_[pos % kRingSize] = head_[h];
    head_[h] = std::int64_t(pos);
  }
  // Best match for pos among recorded positions at most kRingSize back: (length, distance), or
  // length 0 when none reaches the minimum.
  std::pair<std::size_t, std::size_t> Find(std::size_t pos) const {
    const std::size_t limit = std::min<std::size_t>(kLongestMatch, data_.size() - pos);
    std::size_t bestLen = 0;
    std::size_t bestDist = 0;
    if (limit <= std::size_t(kThreshold)) return {0, 0};
    std::int64_t cand = head_[Hash(pos)];
    for (int chain = 0; chain < kChainDepth && cand >= 0; ++chain) {
      const std::size_t distance = pos - std::size_t(cand);
      if (distance > std::size_t(kRingSize)) break;
      const std::uint8_t* a = data_.data() + cand;
      const std::uint8_t* b = data_.data() + pos;
      if (a[bestLen] == b[bestLen]) {
        std::size_t len = 0;
        while (len < limit && a[len] == b[len]) ++len;
        if (len > bestLen) {
          bestLen = len;
          bestDist = distance;
          if (len == limit) break;
        }
      }
      // a position older than one ring holds a newer entry in its slot; the distance test stops there
      const std::int64_t next = prev_[std::size_t(cand) % kRingSize];
      if (next >= cand) break;
      cand = next;
    }
    if (bestLen <= std::size_t(kThreshold)) return {0, 0};
    return {bestLen, bestDist};
  }

private:
  static constexpr int kChainDepth = 256;
  std::uint32_t Hash(std::size_t pos) const {
    const std::uint8_t* p = data_.data() + pos;
    return ((std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2]) * 2654435761u) >> 17;
  }

  std::span<const std::uint8_t> data_;  // the whole input
  std::vector<std::int64_t> head_;      // latest position per hash, -1 when none
  std::vector<std::int64_t> prev_;      // previous position with the same hash, by position mod ring
};

class Encoder {
public:
  explicit Encoder(std::vector<std::uint8_t>& out) : bits_(out) {}

  void Symbol(int c) {
    // the path from the root to the leaf, gathered upwards
    std::uint64_t path = 0;
    int depth = 0;
    for (int node = tree_.LeafOf(c); node != kRoot; node = tree_.Parent(node)) {
      path |= std::uint64_t(node - tree_.FirstChild(tree_.Parent(node))) << depth;
      ++depth;
    }
    assert(depth <= 64);
    while (depth > 32) {
      depth -= 32;
      bits_.Put(std::uint32_t(path >> depth), 32);
    }
    bits_.Put(std::uint32_t(path), depth);
    tree_.Update(c);
  }
  void Position(std::size_t p) {
    const unsigned upper = unsigned(p >> 6);
    bits_.Put(kPositions.encode[upper], kPositions.encodeLen[upper]);
    bits_.Put(unsigned(p & 0x3F), 6);
  }
  void Finish() { bits_.Flush(); }

private:
  HuffmanTree tree_;  // the same model the expansion keeps
  BitWriter bits_;    // the output
};

}  // namespace

std::vector<std::uint8_t> LzhCompress(std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> out;
  out.reserve(data.size() / 3 + 16);
  Encoder encoder(out);
  MatchFinder finder(data);
  std::size_t pos = 0;
  auto match = finder.Find(pos);
  while (pos < data.size()) {
    finder.Insert(pos);
    auto next = pos + 1 < data.size() ? finder.Find(pos + 1) : std::pair<std::size_t, std::size_t>{0, 0};
    if (match.first != 0 && next.first <= match.first) {
      encoder.Symbol(int(255 - kThreshold + match.first));
      encoder.Position(match.second - 1);
      for (std::size_t k = 1; k < match.first; ++k) finder.Insert(pos + k);
      pos += match.first;
      match = pos < data.size() ? finder.Find(pos) : std::pair<std::size_t, std::size_t>{0, 0};
    } else {
      // a literal, also when the next position offers a longer match
      encoder.Symbol(data[pos]);
      ++pos;
      match = next;
    }
  }
  encoder.Finish();
  return out;
}

void TLZH::Decode(std::int64_t size) {
  if (size <= 0) return;
  const std::int64_t start = source_.Position();
  TMemoryStream packed;
  packed.LoadFromStream(source_);
  std::size_t used = 0;
  const std::vector<std::uint8_t> bytes =
      LzhExpand({packed.Memory(), std::size_t(packed.Size())}, std::size_t(size), &used);
  source_.SetPosition(start + std::int64_t(used));
  dest_.WriteBuffer(bytes.data(), bytes.size());
}

void TLZH::Encode() {
  TMemoryStream plain;
  plain.LoadFromStream(source_);
  const std::vector<std::uint8_t> bytes = LzhCompress({plain.Memory(), std::size_t(plain.Size())});
  dest_.WriteBuffer(bytes.data(), bytes.size());
}

}  // namespace bus
