// A second LZHUF model for the codec's tests, written from the published algorithm on its own: the
// plain tables (freq, son, prnt), the 16-bit bit reader, the linear searches and the ring buffer,
// nothing taken from the codec. The codec's expander must agree with it byte for byte on any
// stream; its encoder makes streams of chosen symbols (matches into the blanks the ring starts
// with, for instance) that the codec's own compressor would never write.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace bus::test {

// What an expansion went through.
struct LzhReferenceStats {
  std::size_t symbols = 0;       // literals and match lengths decoded
  std::size_t rebuilds = 0;      // times the tree was rebuilt
  std::size_t matches = 0;       // match symbols
  std::size_t farthest = 0;      // the largest match distance (position + 1)
  std::size_t blankReads = 0;    // bytes copied from ring slots not written yet (the initial blanks)
};

// Expands packed into size bytes (a last match is cut at size), past its end reading zero bits.
std::vector<std::uint8_t> ReferenceExpand(std::span<const std::uint8_t> packed, std::size_t size,
                                          LzhReferenceStats* stats = nullptr);

struct LzhReferenceTree;

// Writes a stream of chosen literals and matches.
class ReferenceLzhWriter {
public:
  ReferenceLzhWriter();
  ~ReferenceLzhWriter();
  ReferenceLzhWriter(const ReferenceLzhWriter&) = delete;
  ReferenceLzhWriter& operator=(const ReferenceLzhWriter&) = delete;
  void Literal(std::uint8_t byte);
  // A match of length 3 .. 60 that copies from distance 1 .. 4096 bytes back.
  void Match(int length, int distance);
  // The stream so far, its last byte filled up with zero bits.
  std::vector<std::uint8_t> Finish();

private:
  void PutBits(unsigned bits, int count);
  void PutSymbol(int symbol);

  std::unique_ptr<LzhReferenceTree> model_;  // the adaptive tree
  std::vector<std::uint8_t> out_;   // whole bytes written
  unsigned pending_ = 0;            // bits not yet in a whole byte, in the low pendingCount_ bits
  int pendingCount_ = 0;            // 0 .. 7
};

}  // namespace bus::test
