// Icon files made to measure for the tests.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "core/IconFile.h"
#include "core/LittleEndian.h"

namespace bus::test {

// A size × size image of the colour (0xRRGGBB), opaque, with a transparent one-pixel border.
inline BmpImage BorderedSquare(int size, std::uint32_t rgb) {
  BmpImage image(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const bool border = x == 0 || y == 0 || x == size - 1 || y == size - 1;
      image.SetPixel(x, y, border ? 0u : 0xFF000000u | rgb);
    }
  return image;
}

// One icon file holding the images of several one-image icon files, in order.
inline std::vector<std::uint8_t> CombineIconFiles(const std::vector<std::vector<std::uint8_t>>& singles) {
  std::vector<std::uint8_t> out;
  AppendU16(out, 0);
  AppendU16(out, 1);
  AppendU16(out, std::uint16_t(singles.size()));
  std::uint32_t offset = std::uint32_t(6 + 16 * singles.size());
  for (const auto& single : singles) {
    out.insert(out.end(), single.begin() + 6, single.begin() + 6 + 12);  // size, colours, planes, depth, bytes
    AppendU32(out, offset);
    offset += std::uint32_t(single.size() - 22);
  }
  for (const auto& single : singles) out.insert(out.end(), single.begin() + 22, single.end());
  return out;
}

// An icon file with a bordered square of each (size, colour).
inline std::vector<std::uint8_t> MakeIco(const std::vector<std::pair<int, std::uint32_t>>& images) {
  std::vector<std::vector<std::uint8_t>> singles;
  for (const auto& [size, rgb] : images) singles.push_back(EncodeIconFile(BorderedSquare(size, rgb)));
  return CombineIconFiles(singles);
}

}  // namespace bus::test
