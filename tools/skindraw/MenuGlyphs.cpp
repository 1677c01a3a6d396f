#include "tools/skindraw/MenuGlyphs.h"

#include <array>
#include <cstring>

namespace bus::tools {

namespace {

using GlyphRows = std::array<const char*, kMenuGlyphSize>;

// '#' is ink. Restore, maximise, minimise, close, drawn on the same 9 × 9 box so that they line up.
constexpr GlyphRows kGlyphs[kMenuGlyphCount] = {
    GlyphRows{"................", "................", "................", ".....#######....",
              ".....#######....", ".....#.....#....", "...#######.#....", "...#######.#....",
              "...#.....###....", "...#.....#......", "...#.....#......", "...#######......",
              "................", "................", "................", "................"},
    GlyphRows{"................", "................", "................", "...#########....",
              "...#########....", "...#.......#....", "...#.......#....", "...#.......#....",
              "...#.......#....", "...#.......#....", "...#.......#....", "...#########....",
              "................", "................", "................", "................"},
    GlyphRows{"................", "................", "................", "................",
              "................", "................", "................", "................",
              "................", "................", "...#########....", "...#########....",
              "................", "................", "................", "................"},
    GlyphRows{"................", "................", "................", "...##.....##....",
              "....##...##.....", ".....##.##......", "......###.......", "......###.......",
              ".....##.##......", "....##...##.....", "...##.....##....", "................",
              "................", "................", "................", "................"},
};

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> DrawMenuGlyphs() {
  constexpr int kWidth = kMenuGlyphSize * kMenuGlyphCount, kHeight = kMenuGlyphSize;
  constexpr int kRowBytes = (kWidth + 31) / 32 * 4;
  constexpr std::uint32_t kHeaders = 14 + 40 + 2 * 4;
  constexpr std::uint32_t kImageBytes = kRowBytes * kHeight;
  std::vector<std::uint8_t> bmp;
  bmp.push_back('B');
  bmp.push_back('M');
  Put32(bmp, kHeaders + kImageBytes);
  Put32(bmp, 0);
  Put32(bmp, kHeaders);
  Put32(bmp, 40);       // info header size
  Put32(bmp, kWidth);
  Put32(bmp, kHeight);  // bottom-up
  Put16(bmp, 1);        // planes
  Put16(bmp, 1);        // bits per pixel
  Put32(bmp, 0);        // no compression
  Put32(bmp, kImageBytes);
  Put32(bmp, 2835);     // 72 dpi
  Put32(bmp, 2835);
  Put32(bmp, 2);        // palette entries
  Put32(bmp, 2);
  Put32(bmp, 0x000000);  // 0: black ink
  Put32(bmp, 0xFFFFFF);  // 1: white ground
  for (int y = kHeight - 1; y >= 0; --y) {
    std::uint8_t row[kRowBytes];
    std::memset(row, 0xFF, sizeof row);
    for (int x = 0; x < kWidth; ++x) {
      if (kGlyphs[x / kMenuGlyphSize][y][x % kMenuGlyphSize] == '#') row[x / 8] &= std::uint8_t(~(0x80 >> (x % 8)));
    }
    bmp.insert(bmp.end(), row, row + kRowBytes);
  }
  return bmp;
}

}  // namespace bus::tools
