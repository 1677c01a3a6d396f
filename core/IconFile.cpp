#include "core/IconFile.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "core/LittleEndian.h"

namespace bus {

namespace {

[[noreturn]] void Fail(const char* reason) {
  throw EInvalidGraphic(std::string("Icon image is not valid: ") + reason);
}

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Checks a DIB image (header, colour table, colour rows, mask rows) and fills in its real size.
void CheckDib(std::span<const std::uint8_t> bytes, IconFileImage& image) {
  if (bytes.size() < 40) Fail("image too short");
  const std::uint8_t* h = bytes.data();
  const std::uint32_t headerSize = ReadU32(h);
  const std::int64_t width = ReadI32(h + 4);
  const std::int64_t doubleHeight = ReadI32(h + 8);
  const int planes = ReadU16(h + 12), bpp = ReadU16(h + 14);
  const std::uint32_t compression = ReadU32(h + 16), clrUsed = ReadU32(h + 32);
  if (headerSize < 40 || headerSize > bytes.size()) Fail("bad image header");
  if (planes != 1 || (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)) Fail("bad bit depth");
  if (compression != 0) Fail("compressed image");
  if (width <= 0 || width > 1024 || doubleHeight <= 0 || doubleHeight > 2048 || doubleHeight % 2 != 0)
    Fail("bad image size");
  const std::int64_t height = doubleHeight / 2;
  std::int64_t colours = 0;
  if (bpp <= 8) {
    colours = clrUsed != 0 ? clrUsed : (std::int64_t(1) << bpp);
    if (colours > (std::int64_t(1) << bpp)) Fail("colour table too large");
  }
  const std::int64_t colourRow = ((width * bpp + 31) / 32) * 4, maskRow = ((width + 31) / 32) * 4;
  if (headerSize + 4 * colours + (colourRow + maskRow) * height > std::int64_t(bytes.size()))
    Fail("image data truncated");
  image.width = int(width);
  image.height = int(height);
  image.bitsPerPixel = bpp;
}

}  // namespace

std::vector<IconFileImage> ReadIconFile(std::span<const std::uint8_t> file) {
  if (file.size() < 6) Fail("file too short");
  const std::uint8_t* b = file.data();
  if (ReadU16(b) != 0 || ReadU16(b + 2) != 1) Fail("not an icon file");
  const std::size_t count = ReadU16(b + 4);
  if (count == 0) Fail("no images");
  if (6 + 16 * count > file.size()) Fail("directory runs past the end of the file");
  std::vector<IconFileImage> images;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* e = b + 6 + 16 * i;
    IconFileImage image;
    image.width = e[0] == 0 ? 256 : e[0];
    image.height = e[1] == 0 ? 256 : e[1];
    image.bitsPerPixel = ReadU16(e + 6);
    image.size = ReadU32(e + 8);
    image.offset = ReadU32(e + 12);
    if (image.offset > file.size() || image.size > file.size() - image.offset)
      Fail("image runs past the end of the file");
    const std::span<const std::uint8_t> bytes = file.subspan(image.offset, image.size);
    image.png = bytes.size() >= 8 && std::memcmp(bytes.data(), kPngSignature, 8) == 0;
    if (!image.png) CheckDib(bytes, image);
    images.push_back(image);
  }
  return images;
}

std::size_t ChooseIconImage(const std::vector<IconFileImage>& images, int preferredWidth) {
  std::size_t best = 0;
  for (std::size_t i = 1; i < images.size(); ++i) {
    const int d = std::abs(images[i].width - preferredWidth), bestD = std::abs(images[best].width - preferredWidth);
    if (d < bestD || (d == bestD && images[i].bitsPerPixel > images[best].bitsPerPixel)) best = i;
  }
  return best;
}

std::vector<std::uint8_t> EncodeIconFile(const BmpImage& image) {
  const int w = image.width, h = image.height;
  if (w <= 0 || h <= 0 || w > 256 || h > 256 || image.pixels.size() != std::size_t(w) * std::size_t(h) * 4)
    throw EInvalidGraphic("Icon image is empty or too large to write");
  const std::size_t maskRow = std::size_t((w + 31) / 32) * 4;
  std::vector<std::uint8_t> mask(maskRow * std::size_t(h), 0);
  for (int y = 0; y < h; ++y)  // file rows are bottom-up
    for (int x = 0; x < w; ++x)
      if (image.Row(y)[4 * x + 3] == 0) mask[maskRow * std::size_t(h - 1 - y) + std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
  const std::uint32_t imageBytes = std::uint32_t(40 + image.pixels.size() + mask.size());
  std::vector<std::uint8_t> out;
  out.reserve(6 + 16 + imageBytes);
  AppendU16(out, 0);
  AppendU16(out, 1);  // icon
  AppendU16(out, 1);  // one image
  out.push_back(std::uint8_t(w == 256 ? 0 : w));
  out.push_back(std::uint8_t(h == 256 ? 0 : h));
  out.push_back(0);
  out.push_back(0);
  AppendU16(out, 1);
  AppendU16(out, 32);
  AppendU32(out, imageBytes);
  AppendU32(out, 6 + 16);
  AppendU32(out, 40);
  AppendU32(out, std::uint32_t(w));
  AppendU32(out, std::uint32_t(2 * h));  // colour rows and mask rows
  AppendU16(out, 1);
  AppendU16(out, 32);
  AppendU32(out, 0);
  AppendU32(out, std::uint32_t(image.pixels.size() + mask.size()));
  for (int i = 0; i < 4; ++i) AppendU32(out, 0);
  for (int y = h - 1; y >= 0; --y) out.insert(out.end(), image.Row(y), image.Row(y) + std::size_t(w) * 4);
  out.insert(out.end(), mask.begin(), mask.end());
  return out;
}

}  // namespace bus
