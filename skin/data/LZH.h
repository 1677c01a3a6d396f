// LZHUF: a sliding dictionary of 4096 bytes (matches of 3 to 60 bytes) whose literals and match
// lengths are coded with an adaptive Huffman tree and whose match positions use a fixed prefix code.
// Skin archives are stored in this form. Expansion is what the program needs; compression serves
// the skin packer and the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/Exception.h"
#include "core/Stream.h"

namespace bus {

class ElzhException : public Exception {
public:
  using Exception::Exception;
};

// Expands `packed` into exactly `size` bytes. A source that ends early reads as zero bits, so the
// result always has `size` bytes; a final match that would run past `size` is cut there. When
// `consumed` is given it receives the number of source bytes the expansion used (at most the
// source's length). Throws ElzhException when the memory cannot be had.
std::vector<std::uint8_t> LzhExpand(std::span<const std::uint8_t> packed, std::size_t size,
                                    std::size_t* consumed = nullptr);

// Compresses `data`; LzhExpand(result, data.size()) gives `data` back.
std::vector<std::uint8_t> LzhCompress(std::span<const std::uint8_t> data);

// The codec over two streams, which it references and does not own.
class TLZH {
public:
  TLZH(TStream& source, TStream& dest) : source_(source), dest_(dest) {}

  // Expands from the source's position and appends exactly `size` bytes to the destination; the
  // source is left after the bytes the expansion used. `size` is the output capacity: nothing is
  // written beyond it whatever the input says. Size 0 reads and writes nothing.
  void Decode(std::int64_t size);
  // Compresses the source from its position to its end and appends the result to the destination.
  void Encode();

private:
  TStream& source_;  // read from its current position
  TStream& dest_;    // written at its current position
};

}  // namespace bus
