#include "tests/skin/data/LzhReference.h"

#include <algorithm>
#include <cassert>

namespace bus::test {

namespace {

constexpr int N = 4096;                       // ring buffer
constexpr int F = 60;                         // longest match
constexpr int THRESHOLD = 2;                  // matches are longer
constexpr int N_CHAR = 256 - THRESHOLD + F;   // 314 symbols
constexpr int T = N_CHAR * 2 - 1;             // 627 nodes
constexpr int R = T - 1;                      // root
constexpr unsigned MAX_FREQ = 0x8000;

// d_code and d_len: indices 0-31 give 0 with length 3; 32-79 give 1-3, 16 indices each, length 4;
// 80-143 give 4-11, 8 each, length 5; 144-191 give 12-23, 4 each, length 6; 192-239 give 24-47,
// 2 each, length 7; 240-255 give 48-63, one each, length 8.
struct PrefixTables {
  std::uint8_t dCode[256];
  std::uint8_t dLen[256];
  PrefixTables() {
    struct Range {
      int first, last, upperFirst, perValue, length;
    };
    const Range ranges[] = {{0, 31, 0, 32, 3},     {32, 79, 1, 16, 4},   {80, 143, 4, 8, 5},
                            {144, 191, 12, 4, 6},  {192, 239, 24, 2, 7}, {240, 255, 48, 1, 8}};
    for (const Range& r : ranges) {
      for (int index = r.first; index <= r.last; ++index) {
        dCode[index] = std::uint8_t(r.upperFirst + (index - r.first) / r.perValue);
        dLen[index] = std::uint8_t(r.length);
      }
    }
  }
};
const PrefixTables kTables;

}  // namespace

// The adaptive tree, as the algorithm states it.
struct LzhReferenceTree {
  unsigned freq[T + 1];
  int son[T];
  int prnt[T + N_CHAR];
  std::size_t rebuilds = 0;

  LzhReferenceTree() {
    for (int i = 0; i < N_CHAR; i++) {
      freq[i] = 1;
      son[i] = i + T;
      prnt[i + T] = i;
    }
    int i = 0;
    for (int j = N_CHAR; j <= R; j++) {
      freq[j] = freq[i] + freq[i + 1];
      son[j] = i;
      prnt[i] = j;
      prnt[i + 1] = j;
      i += 2;
    }
    freq[T] = 0xFFFF;
    prnt[R] = 0;
  }

  void Reconst() {
    ++rebuilds;
    // the leaves to the front, halved (rounding up)
    int j = 0;
    for (int i = 0; i < T; i++) {
      if (son[i] >= T) {
        freq[j] = (freq[i] + 1) / 2;
        son[j] = son[i];
        j++;
      }
    }
    // the inner nodes, each put where its count keeps the counts sorted
    int i = 0;
    for (j = N_CHAR; j < T; j++) {
      const unsigned f = freq[i] + freq[i + 1];
      int k = j - 1;
      while (f < freq[k]) k--;
      k++;
      for (int m = j; m > k; m--) {
        freq[m] = freq[m - 1];
        son[m] = son[m - 1];
      }
      freq[k] = f;
      son[k] = i;
      i += 2;
    }
    for (i = 0; i < T; i++) {
      const int k = son[i];
      if (k >= T) {
        prnt[k] = i;
      } else {
        prnt[k] = i;
        prnt[k + 1] = i;
      }
    }
  }

  void Update(int c) {
    if (freq[R] == MAX_FREQ) Reconst();
    c = prnt[c + T];
    do {
      const unsigned k = ++freq[c];
      int l = c + 1;
      if (k > freq[l]) {
        while (k > freq[++l]) {
        }
        l--;
        freq[c] = freq[l];
        freq[l] = k;
        const int i = son[c];
        prnt[i] = l;
        if (i < T) prnt[i + 1] = l;
        const int j = son[l];
        son[l] = i;
        prnt[j] = c;
        if (j < T) prnt[j + 1] = c;
        son[c] = j;
        c = l;
      }
      c = prnt[c];
    } while (c != 0);
  }
};

namespace {

// The 16-bit bit buffer of the algorithm.
class BitSource {
public:
  explicit BitSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  int GetBit() {
    Fill();
    const int bit = (buffer_ >> 15) & 1;
    buffer_ = std::uint16_t(buffer_ << 1);
    count_--;
    return bit;
  }
  int GetByte() {
    Fill();
    const int byte = buffer_ >> 8;
    buffer_ = std::uint16_t(buffer_ << 8);
    count_ -= 8;
    return byte;
  }

private:
  void Fill() {
    while (count_ <= 8) {
      const unsigned b = next_ < bytes_.size() ? bytes_[next_++] : 0;
      buffer_ = std::uint16_t(buffer_ | (b << (8 - count_)));
      count_ += 8;
    }
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t next_ = 0;
  std::uint16_t buffer_ = 0;
  int count_ = 0;
};

}  // namespace

std::vector<std::uint8_t> ReferenceExpand(std::span<const std::uint8_t> packed, std::size_t size,
                                          LzhReferenceStats* stats) {
  LzhReferenceStats s;
  LzhReferenceTree tree;
  BitSource in(packed);
  std::uint8_t textBuf[N];
  bool written[N];
  for (int i = 0; i < N; i++) {
    textBuf[i] = i < N - F ? ' ' : 0;
    written[i] = false;
  }
  int r = N - F;
  std::vector<std::uint8_t> out;
  const auto put = [&](std::uint8_t c) {
    out.push_back(c);
    textBuf[r] = c;
    written[r] = true;
    r = (r + 1) & (N - 1);
  };
  while (out.size() < size) {
    int c = tree.son[R];
    while (c < T) c = tree.son[c + in.GetBit()];
    c -= T;
    tree.Update(c);
    s.symbols++;
    if (c < 256) {
      put(std::uint8_t(c));
      continue;
    }
    int i = in.GetByte();
    const int upper = kTables.dCode[i] << 6;
    for (int more = kTables.dLen[i] - 2; more > 0; more--) i = (i << 1) + in.GetBit();
    const int position = upper | (i & 0x3F);
    s.matches++;
    s.farthest = std::max<std::size_t>(s.farthest, std::size_t(position) + 1);
    const int start = (r - position - 1) & (N - 1);
    const int length = c - 255 + THRESHOLD;
    for (int k = 0; k < length; k++) {
      const int from = (start + k) & (N - 1);
      if (!written[from]) s.blankReads++;
      put(textBuf[from]);
    }
  }
  out.resize(size);
  s.rebuilds = tree.rebuilds;
  if (stats) *stats = s;
  return out;
}

ReferenceLzhWriter::ReferenceLzhWriter() : model_(std::make_unique<LzhReferenceTree>()) {}

ReferenceLzhWriter::~ReferenceLzhWriter() = default;

void ReferenceLzhWriter::PutBits(unsigned bits, int count) {
  for (int b = count - 1; b >= 0; b--) {
    pending_ = pending_ << 1 | ((bits >> b) & 1);
    if (++pendingCount_ == 8) {
      out_.push_back(std::uint8_t(pending_));
      pending_ = 0;
      pendingCount_ = 0;
    }
  }
}

void ReferenceLzhWriter::PutSymbol(int symbol) {
  // the bits from the root down: each node's place beside its sibling, gathered from the leaf up
  std::vector<int> bits;
  for (int node = model_->prnt[symbol + T]; node != R; node = model_->prnt[node])
    bits.push_back(node - model_->son[model_->prnt[node]]);
  for (auto b = bits.rbegin(); b != bits.rend(); ++b) PutBits(unsigned(*b), 1);
  model_->Update(symbol);
}

void ReferenceLzhWriter::Literal(std::uint8_t byte) { PutSymbol(byte); }

void ReferenceLzhWriter::Match(int length, int distance) {
  assert(length > THRESHOLD && length <= F && distance >= 1 && distance <= N);
  PutSymbol(255 - THRESHOLD + length);
  const int position = distance - 1;
  const int upper = position >> 6;
  // the prefix of upper: the leading dLen bits of the first index that decodes to it
  const int first = int(std::find(kTables.dCode, kTables.dCode + 256, upper) - kTables.dCode);
  const int length8 = kTables.dLen[first];
  PutBits(unsigned(first) >> (8 - length8), length8);
  PutBits(unsigned(position & 0x3F), 6);
}

std::vector<std::uint8_t> ReferenceLzhWriter::Finish() {
  std::vector<std::uint8_t> stream = out_;
  if (pendingCount_ > 0) stream.push_back(std::uint8_t(pending_ << (8 - pendingCount_)));
  return stream;
}

}  // namespace bus::test
