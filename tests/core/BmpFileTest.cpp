#include "core/BmpFile.h"

#include "core/LittleEndian.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>

namespace {

using namespace bus;
using Bytes = std::vector<std::uint8_t>;

// Writes BMP files field by field, so tests can make exactly the file (or the fault) they need.
struct BmpBuilder {
  std::uint32_t headerSize = 40;
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t planes = 1;
  std::uint16_t bpp = 24;
  std::uint32_t compression = 0;
  std::uint32_t sizeImage = 0;
  std::uint32_t clrUsed = 0;
  std::vector<std::uint32_t> masks;    // after a 40-byte header, or inside a larger one
  Bytes palette;                       // raw colour-table bytes
  Bytes pixels;                        // raw pixel data
  std::optional<std::uint32_t> offBits;  // default: right after the colour table

  Bytes Build() const {
    Bytes out{'B', 'M'};
    AppendU32(out, 0);  // file size, patched below
    AppendU32(out, 0);
    AppendU32(out, 0);  // pixel offset, patched below
    AppendU32(out, headerSize);
    if (headerSize == 12) {
      AppendU16(out, std::uint16_t(width));
      AppendU16(out, std::uint16_t(height));
      AppendU16(out, planes);
      AppendU16(out, bpp);
    } else {
      AppendU32(out, std::uint32_t(width));
      AppendU32(out, std::uint32_t(height));
      AppendU16(out, planes);
      AppendU16(out, bpp);
      AppendU32(out, compression);
      AppendU32(out, sizeImage);
      AppendU32(out, 2835);
      AppendU32(out, 2835);
      AppendU32(out, clrUsed);
      AppendU32(out, 0);
      std::size_t inHeader = 0;
      if (headerSize >= 52) {
        for (; inHeader < masks.size() && 40 + 4 * inHeader < headerSize; ++inHeader) AppendU32(out, masks[inHeader]);
      }
      out.resize(14 + headerSize, 0);
      if (headerSize == 40)
        for (std::uint32_t m : masks) AppendU32(out, m);
    }
    out.insert(out.end(), palette.begin(), palette.end());
    const std::uint32_t offset = offBits.value_or(std::uint32_t(out.size()));
    out.resize(std::max<std::size_t>(out.size(), offset), 0);
    out.insert(out.end(), pixels.begin(), pixels.end());
    const std::uint32_t fileSize = std::uint32_t(out.size());
    std::memcpy(out.data() + 2, &fileSize, 4);
    std::memcpy(out.data() + 10, &offset, 4);
    return out;
  }
};

BmpImage Sample(int w, int h) {
  BmpImage img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      img.SetPixel(x, y, 0x80000000u | std::uint32_t(x * 40) << 16 | std::uint32_t(y * 60) << 8 | std::uint32_t(x + y));
  return img;
}

TEST(BmpFile, EncodedFilesDecodeToTheSamePixels) {
  const BmpImage img = Sample(5, 3);  // 5 pixels: 24-bit rows need padding
  const Bytes f24 = EncodeBmp(img, 24);
  EXPECT_EQ(f24.size(), 54u + 3 * 16);
  EXPECT_EQ(f24[0], 'B');
  EXPECT_EQ(f24[28], 24);
  // bottom-up: the file's first pixel row is the image's last row
  EXPECT_EQ(f24[54], img.Row(2)[0]);
  const BmpImage back24 = DecodeBmp(f24);
  ASSERT_EQ(back24.width, 5);
  ASSERT_EQ(back24.height, 3);
  EXPECT_EQ(back24.sourceBitsPerPixel, 24);
  EXPECT_FALSE(back24.sourceHasAlpha);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(back24.Pixel(x, y), img.Pixel(x, y) | 0xFF000000u) << x << "," << y;

  const Bytes f32 = EncodeBmp(img, 32);
  EXPECT_EQ(f32.size(), 54u + 5 * 3 * 4);
  const BmpImage back32 = DecodeBmp(f32);
  EXPECT_TRUE(back32.sourceHasAlpha);
  EXPECT_EQ(back32.pixels, img.pixels);
}

TEST(BmpFile, EncoderRefusesWhatItCannotWrite) {
  EXPECT_THROW(EncodeBmp(Sample(2, 2), 8), EInvalidGraphic);
  EXPECT_THROW(EncodeBmp(BmpImage(), 24), EInvalidGraphic);
  BmpImage wrong = Sample(2, 2);
  wrong.pixels.pop_back();
  EXPECT_THROW(EncodeBmp(wrong, 32), EInvalidGraphic);
}

TEST(BmpFile, PalettedDepthsReadTheirIndicesInFileOrder) {
  // 1 bit: 10 pixels, most significant bit first; rows padded to 4 bytes
  BmpBuilder b;
  b.bpp = 1;
  b.width = 10;
  b.height = 2;
  b.palette = {0, 0, 0, 0, 255, 255, 255, 0};
  b.pixels = {0b10110000, 0b01000000, 0, 0,   // bottom row
              0b01000000, 0b10000000, 0, 0};  // top row
  BmpImage img = DecodeBmp(b.Build());
  const char* bottom = "1011000001";
  const char* top = "0100000010";
  for (int x = 0; x < 10; ++x) {
    EXPECT_EQ(img.Pixel(x, 1), bottom[x] == '1' ? 0xFFFFFFFFu : 0xFF000000u) << x;
    EXPECT_EQ(img.Pixel(x, 0), top[x] == '1' ? 0xFFFFFFFFu : 0xFF000000u) << x;
  }

  // 4 bits: high nibble first; 8 bits with a short table: an index past it is black
  b = BmpBuilder();
  b.bpp = 4;
  b.width = 3;
  b.clrUsed = 3;
  b.palette = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0};
  b.pixels = {0x21, 0xF0, 0, 0};
  img = DecodeBmp(b.Build());
  EXPECT_EQ(img.Pixel(0, 0), 0xFF090807u);
  EXPECT_EQ(img.Pixel(1, 0), 0xFF060504u);
  EXPECT_EQ(img.Pixel(2, 0), 0xFF000000u);
  EXPECT_EQ(img.sourceBitsPerPixel, 4);

  // OS/2 core header: 3-byte colour-table entries, 16-bit sizes
  b = BmpBuilder();
  b.headerSize = 12;
  b.bpp = 8;
  b.width = 2;
  b.palette.assign(256 * 3, 0);
  b.palette[3 * 7 + 0] = 0x11;
  b.palette[3 * 7 + 2] = 0x33;
  b.pixels = {7, 0, 0, 0};
  img = DecodeBmp(b.Build());
  EXPECT_EQ(img.Pixel(0, 0), 0xFF330011u);
  EXPECT_EQ(img.Pixel(1, 0), 0xFF000000u);
}

TEST(BmpFile, DirectColourDepthsHonourTheirMasks) {
  // 16 bits, default 5-5-5: pure red and a mid grey
  BmpBuilder b;
  b.bpp = 16;
  b.width = 2;
  b.pixels = {0x00, 0x7C, 0x10, 0x42};
  BmpImage img = DecodeBmp(b.Build());
  EXPECT_EQ(img.Pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(img.Pixel(1, 0), 0xFF848484u);

  // 16 bits 5-6-5 through bit fields after a 40-byte header
  b.compression = 3;
  b.masks = {0xF800, 0x07E0, 0x001F};
  b.pixels = {0xE0, 0x07, 0x1F, 0x00};
  img = DecodeBmp(b.Build());
  EXPECT_EQ(img.Pixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(img.Pixel(1, 0), 0xFF0000FFu);

  // 32 bits, V5 header with an alpha mask, in an unusual channel order
  b = BmpBuilder();
  b.headerSize = 124;
  b.bpp = 32;
  b.compression = 3;
  b.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};  // R G B A in memory order
  b.pixels = {0x10, 0x20, 0x30, 0x40};
  img = DecodeBmp(b.Build());
  EXPECT_EQ(img.Pixel(0, 0), 0x40102030u);
  EXPECT_TRUE(img.sourceHasAlpha);

  // 32 bits BI_RGB: the fourth byte passes through
  b = BmpBuilder();
  b.bpp = 32;
  b.pixels = {1, 2, 3, 0};
  EXPECT_EQ(DecodeBmp(b.Build()).Pixel(0, 0), 0x00030201u);
}

TEST(BmpFile, TopDownAndBottomUpGiveTheSameImage) {
  BmpBuilder b;
  b.width = 1;
  b.height = 2;
  b.pixels = {1, 1, 1, 0, 2, 2, 2, 0};
  const BmpImage up = DecodeBmp(b.Build());
  b.height = -2;
  b.pixels = {2, 2, 2, 0, 1, 1, 1, 0};
  const BmpImage down = DecodeBmp(b.Build());
  EXPECT_EQ(up.pixels, down.pixels);
  EXPECT_EQ(up.Pixel(0, 0), 0xFF020202u);
}

TEST(BmpFile, RunLengthDataIsExpanded) {
  BmpBuilder b;
  b.bpp = 8;
  b.compression = 1;
  b.width = 6;
  b.height = 3;
  b.palette.assign(256 * 4, 0);
  for (int i = 0; i < 256; ++i) b.palette[4 * i] = std::uint8_t(i);  // blue = index
  b.pixels = {
      3, 9,              // bottom row: three pixels of 9
      0, 3, 1, 2, 3, 0,  // absolute block of three, padded to an even length
      0, 0,              // end of line
      0, 2, 2, 1,        // delta: two right, one up (row 2 from the bottom, x 2)
      2, 5,              // two pixels of 5
      0, 1,              // end of bitmap; row 1 and the rest of row 2 stay transparent black
  };
  BmpImage img = DecodeBmp(b.Build());
  const std::uint32_t bottom[6] = {9, 9, 9, 1, 2, 3};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(img.Pixel(x, 2), 0xFF000000u | bottom[x]) << x;
  for (int x = 0; x < 6; ++x) EXPECT_EQ(img.Pixel(x, 1), 0u) << x;
  EXPECT_EQ(img.Pixel(1, 0), 0u);
  EXPECT_EQ(img.Pixel(2, 0), 0xFF000005u);
  EXPECT_EQ(img.Pixel(3, 0), 0xFF000005u);

  // RLE4 runs alternate the two nibbles; an absolute block of 3 nibbles takes 2 bytes (already even)
  b.bpp = 4;
  b.compression = 2;
  b.height = 1;
  b.palette.resize(16 * 4);
  b.pixels = {3, 0x12, 0, 3, 0x45, 0x60, 0, 1};
  img = DecodeBmp(b.Build());
  const std::uint32_t row[6] = {1, 2, 1, 4, 5, 6};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(img.Pixel(x, 0), 0xFF000000u | row[x]) << x;

  // runs that overshoot the right edge are cut, not wrapped
  b.bpp = 8;
  b.compression = 1;
  b.width = 2;
  b.palette.assign(256 * 4, 0);
  b.pixels = {200, 1, 0, 1};
  EXPECT_NO_THROW(DecodeBmp(b.Build()));
}

TEST(BmpFile, EveryTruncationOfAValidFileIsRejected) {
  const Bytes full = EncodeBmp(Sample(3, 2), 24);
  for (std::size_t n = 0; n < full.size(); ++n)
    EXPECT_THROW(DecodeBmp(std::span(full.data(), n)), EInvalidGraphic) << n;
  BmpBuilder b;
  b.bpp = 8;
  b.palette.assign(1024, 0);
  b.pixels = {0, 0, 0, 0};
  const Bytes paletted = b.Build();
  for (std::size_t n = 0; n < paletted.size(); ++n)
    EXPECT_THROW(DecodeBmp(std::span(paletted.data(), n)), EInvalidGraphic) << n;
}

TEST(BmpFile, MalformedHeadersAreRejected) {
  const auto valid = [] {
    BmpBuilder b;
    b.width = 2;
    b.pixels.assign(8, 0);
    return b;
  };
  ASSERT_NO_THROW(DecodeBmp(valid().Build()));
  const std::vector<std::pair<const char*, std::function<void(BmpBuilder&)>>> faults = {
      {"header size", [](BmpBuilder& b) { b.headerSize = 20; }},
      {"planes", [](BmpBuilder& b) { b.planes = 2; }},
      {"bit depth", [](BmpBuilder& b) { b.bpp = 3; }},
      {"zero width", [](BmpBuilder& b) { b.width = 0; }},
      {"negative width", [](BmpBuilder& b) { b.width = -2; }},
      {"zero height", [](BmpBuilder& b) { b.height = 0; }},
      {"most negative height", [](BmpBuilder& b) { b.height = INT32_MIN; }},
      {"huge", [](BmpBuilder& b) { b.width = 30000; b.height = 30000; }},
      {"jpeg", [](BmpBuilder& b) { b.compression = 4; }},
      {"rle8 at 24 bits", [](BmpBuilder& b) { b.compression = 1; }},
      {"bit fields at 24 bits", [](BmpBuilder& b) { b.compression = 3; b.masks = {0xFF0000, 0xFF00, 0xFF}; }},
      {"offset past the end", [](BmpBuilder& b) { b.offBits = 5000; b.pixels.clear(); }},
      {"offset into the header", [](BmpBuilder& b) { b.offBits = 20; }},
  };
  for (const auto& [what, fault] : faults) {
    BmpBuilder b = valid();
    fault(b);
    EXPECT_THROW(DecodeBmp(b.Build()), EInvalidGraphic) << what;
  }
  // a wrong signature
  Bytes f = valid().Build();
  f[1] = 'A';
  EXPECT_THROW(DecodeBmp(f), EInvalidGraphic);
}

TEST(BmpFile, MalformedMasksPalettesAndRunsAreRejected) {
  BmpBuilder b;
  b.bpp = 32;
  b.compression = 3;
  b.pixels.assign(4, 0);
  b.masks = {0xF0F00000, 0xFF00, 0xFF};  // not one run of bits
  EXPECT_THROW(DecodeBmp(b.Build()), EInvalidGraphic);
  b.masks = {0xFFFF00, 0xFF00, 0xFF};  // red overlaps green
  EXPECT_THROW(DecodeBmp(b.Build()), EInvalidGraphic);
  b.bpp = 16;
  b.masks = {0x1F0000, 0x7E0, 0x1F};  // wider than the pixel
  EXPECT_THROW(DecodeBmp(b.Build()), EInvalidGraphic);

  b = BmpBuilder();
  b.bpp = 8;
  b.pixels.assign(4, 0);
  b.offBits = 54;  // no room for a colour table
  EXPECT_THROW(DecodeBmp(b.Build()), EInvalidGraphic);

  b = BmpBuilder();
  b.bpp = 8;
  b.compression = 1;
  b.palette.assign(1024, 0);
  b.pixels = {0, 5, 1, 2};  // absolute block of 5 with only 2 bytes
  EXPECT_THROW(DecodeBmp(b.Build()), EInvalidGraphic);
  b.pixels = {0, 2, 1};  // delta cut short
  EXPECT_THROW(DecodeBmp(b.Build()), EInvalidGraphic);
  b.pixels = {1, 0};
  b.height = -1;  // compressed bitmaps are always bottom-up
  EXPECT_THROW(DecodeBmp(b.Build()), EInvalidGraphic);
}

}  // namespace
