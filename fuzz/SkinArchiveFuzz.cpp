// Any bytes as a stored skin archive, and any bytes compressed into one: loading either is refused
// or gives members that can all be extracted, by index, by name and by part.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "skin/data/LZH.h"
#include "skin/data/SkinReader.h"

namespace {

void Exercise(bus::TMemoryStream& stored) {
  bus::TSkinReader reader;
  if (!reader.Load(stored)) return;
  bus::TMemoryStream out;
  std::string name;
  for (int i = 0; i < reader.Count(); ++i) {
    reader.ExtractByIndex(i, out);
    if (out.Size() != reader.MemberSize(i)) std::abort();
    if (!reader.ExtractByName(reader.Names()[i], out)) std::abort();
  }
  reader.ExtractByPart(".ini", out, name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // the declared length is kept below 256 KiB, so that a run expands little junk (the size limit
  // itself is a unit test's business)
  std::vector<std::uint8_t> bytes(data, data + size);
  if (bytes.size() >= 4) {
    bytes[2] &= 0x03;
    bytes[3] = 0;
  }
  bus::TMemoryStream raw;
  raw.WriteBuffer(bytes.data(), bytes.size());
  Exercise(raw);

  // the same bytes as an expanded archive, so that the layout checks see structured input
  const auto packed = bus::LzhCompress({data, size});
  bus::TMemoryStream stored;
  const std::uint32_t length = std::uint32_t(size);
  const std::uint8_t head[4] = {std::uint8_t(length), std::uint8_t(length >> 8), std::uint8_t(length >> 16),
                                std::uint8_t(length >> 24)};
  stored.WriteBuffer(head, 4);
  stored.WriteBuffer(packed.data(), packed.size());
  Exercise(stored);
  return 0;
}
