// Any bytes as an LZHUF stream: the expansion gives exactly the requested size and never reads or
// writes outside its buffers. The first two bytes choose the size (up to 16 KiB).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "skin/data/LZH.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const std::size_t want = (std::size_t(data[0]) | std::size_t(data[1]) << 8) & 0x3FFF;
  std::size_t used = 0;
  const auto out = bus::LzhExpand({data + 2, size - 2}, want, &used);
  if (out.size() != want || used > size - 2) std::abort();
  return 0;
}
