#include "tests/support/GifWriter.h"

#include <algorithm>

namespace bus::test {

namespace {

void Put16(std::vector<std::uint8_t>& out, int v) {
  out.push_back(std::uint8_t(v & 0xFF));
  out.push_back(std::uint8_t((v >> 8) & 0xFF));
}

// 9-bit codes, least significant bit first, in sub-blocks of at most 255 bytes.
std::vector<std::uint8_t> LiteralLzw(const std::vector<std::uint8_t>& indices) {
  constexpr unsigned kClear = 256, kEnd = 257;
  std::vector<std::uint8_t> bytes;
  std::uint32_t bits = 0;
  int count = 0;
  auto put = [&](unsigned code) {
    bits |= code << count;
    count += 9;
    while (count >= 8) {
      bytes.push_back(std::uint8_t(bits & 0xFF));
      bits >>= 8;
      count -= 8;
    }
  };
  for (size_t i = 0; i < indices.size(); ++i) {
    if (i % 250 == 0) put(kClear);
    put(indices[i]);
  }
  put(kEnd);
  if (count > 0) bytes.push_back(std::uint8_t(bits & 0xFF));
  std::vector<std::uint8_t> blocks;
  for (size_t i = 0; i < bytes.size(); i += 255) {
    const size_t n = std::min<size_t>(255, bytes.size() - i);
    blocks.push_back(std::uint8_t(n));
    blocks.insert(blocks.end(), bytes.begin() + long(i), bytes.begin() + long(i + n));
  }
  blocks.push_back(0);
  return blocks;
}

}  // namespace

std::vector<std::uint8_t> WriteGif(int width, int height, const std::vector<std::uint32_t>& palette,
                                   const std::vector<GifFrame>& frames, int loopCount) {
  std::vector<std::uint8_t> out{'G', 'I', 'F', '8', '9', 'a'};
  Put16(out, width);
  Put16(out, height);
  int sizeBits = 0;  // table of 2^(sizeBits + 1) entries
  while ((2u << sizeBits) < palette.size() && sizeBits < 7) ++sizeBits;
  out.push_back(std::uint8_t(0x80 | (7 << 4) | sizeBits));
  out.push_back(0);  // background index
  out.push_back(0);  // aspect
  for (unsigned i = 0; i < (2u << sizeBits); ++i) {
    const std::uint32_t c = i < palette.size() ? palette[i] : 0;
    out.push_back(std::uint8_t(c >> 16));
    out.push_back(std::uint8_t(c >> 8));
    out.push_back(std::uint8_t(c));
  }
  if (loopCount >= 0) {
    const char id[] = "NETSCAPE2.0";
    out.insert(out.end(), {0x21, 0xFF, 11});
    out.insert(out.end(), id, id + 11);
    out.insert(out.end(), {3, 1});
    Put16(out, loopCount);
    out.push_back(0);
  }
  for (const GifFrame& f : frames) {
    out.insert(out.end(), {0x21, 0xF9, 4});
    out.push_back(std::uint8_t((f.disposal << 2) | (f.transparentIndex >= 0 ? 1 : 0)));
    Put16(out, f.delayCentiseconds);
    out.push_back(std::uint8_t(f.transparentIndex >= 0 ? f.transparentIndex : 0));
    out.push_back(0);
    out.push_back(0x2C);
    Put16(out, f.left);
    Put16(out, f.top);
    Put16(out, f.width);
    Put16(out, f.height);
    out.push_back(0);  // no local table, not interlaced
    out.push_back(8);  // LZW minimum code size
    const std::vector<std::uint8_t> data = LiteralLzw(f.indices);
    out.insert(out.end(), data.begin(), data.end());
  }
  out.push_back(0x3B);
  return out;
}

GifFrame SolidFrame(int left, int top, int width, int height, std::uint8_t index, int delayCentiseconds, int disposal) {
  GifFrame f;
  f.left = left;
  f.top = top;
  f.width = width;
  f.height = height;
  f.indices.assign(size_t(width) * size_t(height), index);
  f.delayCentiseconds = delayCentiseconds;
  f.disposal = disposal;
  return f;
}

}  // namespace bus::test
