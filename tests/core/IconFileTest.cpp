#include "core/IconFile.h"

#include <gtest/gtest.h>

#include "tests/support/IconFileSupport.h"

namespace {

using namespace bus;
using bus::test::BorderedSquare;
using bus::test::MakeIco;

TEST(IconFile, WrittenIconsReadBackWithTheirMask) {
  const BmpImage image = BorderedSquare(5, 0x123456);
  const auto file = EncodeIconFile(image);
  const auto images = ReadIconFile(file);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].width, 5);
  EXPECT_EQ(images[0].height, 5);
  EXPECT_EQ(images[0].bitsPerPixel, 32);
  EXPECT_FALSE(images[0].png);
  EXPECT_EQ(images[0].offset, 22u);
  EXPECT_EQ(images[0].size, file.size() - 22);
  // colour rows bottom-up after the 40-byte header, then mask rows of 4 bytes
  const std::uint8_t* colour = file.data() + 22 + 40;
  EXPECT_EQ(colour[4 * (5 * 2 + 2) + 0], 0x56);  // centre pixel, blue byte
  EXPECT_EQ(colour[4 * (5 * 2 + 2) + 3], 0xFF);
  const std::uint8_t* mask = colour + 5 * 5 * 4;
  EXPECT_EQ(mask[0], 0xF8);      // bottom row: all five transparent
  EXPECT_EQ(mask[4 * 2], 0x88);  // middle row: only the two border pixels
  EXPECT_THROW(EncodeIconFile(BmpImage()), EInvalidGraphic);
  EXPECT_THROW(EncodeIconFile(BmpImage(257, 1)), EInvalidGraphic);
}

TEST(IconFile, TheImageClosestInWidthWinsThenTheDeepest) {
  std::vector<IconFileImage> images(3);
  images[0].width = 16, images[0].bitsPerPixel = 32;
  images[1].width = 32, images[1].bitsPerPixel = 8;
  images[2].width = 32, images[2].bitsPerPixel = 32;
  EXPECT_EQ(ChooseIconImage(images, 16), 0u);
  EXPECT_EQ(ChooseIconImage(images, 30), 2u);
  EXPECT_EQ(ChooseIconImage(images, 48), 2u);
  const auto file = MakeIco({{16, 0xFF0000}, {32, 0x0000FF}});
  const auto read = ReadIconFile(file);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[1].width, 32);
  EXPECT_EQ(ChooseIconImage(read, 20), 0u);
}

TEST(IconFile, BrokenFilesAreRejected) {
  const auto good = MakeIco({{16, 0xFF0000}});
  ASSERT_NO_THROW(ReadIconFile(good));
  for (std::size_t n = 0; n < good.size(); n += (n < 70 ? 1 : 97))
    EXPECT_THROW(ReadIconFile(std::span(good.data(), n)), EInvalidGraphic) << n;
  const std::vector<std::pair<const char*, std::pair<std::size_t, std::uint8_t>>> faults = {
      {"cursor file", {2, 2}},
      {"no images", {4, 0}},
      {"offset past the end", {21, 0x7F}},
      {"size past the end", {17, 0x7F}},
      {"image twice as tall as its bytes", {22 + 8, 64}},
      {"no such bit depth", {22 + 14, 7}},
      {"compressed", {22 + 16, 1}},
      {"short header", {22, 12}},
  };
  for (const auto& [what, patch] : faults) {
    auto bad = good;
    bad[patch.first] = patch.second;
    EXPECT_THROW(ReadIconFile(bad), EInvalidGraphic) << what;
  }
  // a PNG image is the platform's business: only its bounds are checked
  auto png = good;
  const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::copy(signature, signature + 8, png.begin() + 22);
  EXPECT_TRUE(ReadIconFile(png)[0].png);
}

}  // namespace
