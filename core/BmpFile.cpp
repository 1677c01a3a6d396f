#include "core/BmpFile.h"

#include "core/LittleEndian.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>
#include <string>

namespace bus {

namespace {

constexpr std::size_t kFileHeaderSize = 14;

// Compression values of the info header.
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;

[[noreturn]] void Fail(const char* reason) {
  throw EInvalidGraphic(std::string("Bitmap image is not valid: ") + reason);
}

constexpr std::uint32_t Bgra(std::uint8_t b, std::uint8_t g, std::uint8_t r, std::uint8_t a) {
  return std::uint32_t(b) | (std::uint32_t(g) << 8) | (std::uint32_t(r) << 16) | (std::uint32_t(a) << 24);
}

void Store(std::uint8_t* dst, std::uint32_t bgra) {
  dst[0] = std::uint8_t(bgra);
  dst[1] = std::uint8_t(bgra >> 8);
  dst[2] = std::uint8_t(bgra >> 16);
  dst[3] = std::uint8_t(bgra >> 24);
}

// One colour channel of a bit-field pixel.
struct Channel {
  std::uint32_t mask = 0;  // bits of the channel in the pixel value; 0: channel absent
  int shift = 0;           // position of the mask's lowest bit
  int bits = 0;            // width of the mask

  static Channel From(std::uint32_t mask) {
    Channel c;
    c.mask = mask;
    if (mask != 0) {
      c.shift = std::countr_zero(mask);
      c.bits = std::popcount(mask);
    }
    return c;
  }
  // The mask is one run of set bits (or empty).
  bool Contiguous() const { return mask == 0 || std::countr_one(mask >> shift) == bits; }
  // The channel of pixel value v scaled to 0..255; absent channels give fallback.
  std::uint8_t Extract(std::uint32_t v, std::uint8_t fallback) const {
    if (mask == 0) return fallback;
    const std::uint32_t c = (v & mask) >> shift;
    if (bits >= 8) return std::uint8_t(c >> (bits - 8));
    const std::uint32_t max = (std::uint32_t(1) << bits) - 1;
    return std::uint8_t((c * 255 + max / 2) / max);
  }
};

// What the headers say, after validation.
struct Layout {
  std::int64_t width = 0;
  std::int64_t height = 0;  // absolute value
  bool topDown = false;
  int bpp = 0;
  std::uint32_t compression = kBiRgb;
  std::uint32_t sizeImage = 0;
  bool useMasks = false;         // 16 and 32 bits: pixels go through the channel masks
  Channel red, green, blue, alpha;
  std::vector<std::uint32_t> palette;  // BGRA with alpha 255
  std::size_t pixelOffset = 0;
};

Layout ReadLayout(std::span<const std::uint8_t> file) {
  const std::size_t size = file.size();
  const std::uint8_t* b = file.data();
  if (size < kFileHeaderSize + 12) Fail("file too short");
  if (b[0] != 'B' || b[1] != 'M') Fail("no BM signature");
  const std::uint32_t offBits = ReadU32(b + 10);
  const std::uint32_t headerSize = ReadU32(b + 14);
  switch (headerSize) {
    case 12: case 40: case 52: case 56: case 64: case 108: case 124: break;
    default: Fail("unsupported info header size");
  }
  if (kFileHeaderSize + headerSize > size) Fail("info header runs past the end of the file");
  const std::uint8_t* h = b + kFileHeaderSize;

  Layout l;
  std::uint32_t clrUsed = 0;
  std::size_t entrySize = 4;
  int planes = 0;
  if (headerSize == 12) {  // OS/2 core header: 16-bit unsigned sizes, no compression, 3-byte colours
    l.width = ReadU16(h + 4);
    l.height = ReadU16(h + 6);
    planes = ReadU16(h + 8);
    l.bpp = ReadU16(h + 10);
    entrySize = 3;
    if (l.bpp != 1 && l.bpp != 4 && l.bpp != 8 && l.bpp != 24) Fail("unsupported bit depth");
  } else {
    l.width = ReadI32(h + 4);
    const std::int64_t height = ReadI32(h + 8);
    planes = ReadU16(h + 12);
    l.bpp = ReadU16(h + 14);
    l.compression = ReadU32(h + 16);
    l.sizeImage = ReadU32(h + 20);
    clrUsed = ReadU32(h + 32);
    l.topDown = height < 0;
    l.height = height < 0 ? -height : height;
    if (l.bpp != 1 && l.bpp != 4 && l.bpp != 8 && l.bpp != 16 && l.bpp != 24 && l.bpp != 32)
      Fail("unsupported bit depth");
  }
  if (planes != 1) Fail("plane count is not 1");
  if (l.width <= 0 || l.height <= 0) Fail("empty or negative size");
  if (l.width > kMaxBmpDimension || l.height > kMaxBmpDimension || l.width * l.height > kMaxBmpPixels)
    Fail("image too large");

  std::size_t tableStart = kFileHeaderSize + headerSize;
  const bool os2v2 = headerSize == 64;  // its fields past the first 40 bytes are not bit masks
  switch (l.compression) {
    case kBiRgb:
      break;
    case kBiRle8:
    case kBiRle4:
      if (l.bpp != (l.compression == kBiRle8 ? 8 : 4)) Fail("run-length compression does not match the bit depth");
      if (l.topDown) Fail("run-length compressed bitmaps cannot be top-down");
      break;
    case kBiBitfields:
    case kBiAlphaBitfields: {
      if (os2v2) Fail("unsupported compression");
      if (l.bpp != 16 && l.bpp != 32) Fail("bit fields need 16 or 32 bits per pixel");
      std::uint32_t masks[4] = {0, 0, 0, 0};
      if (headerSize == 40) {  // the masks follow the header
        const std::size_t count = l.compression == kBiAlphaBitfields ? 4 : 3;
        if (tableStart + 4 * count > size) Fail("bit masks run past the end of the file");
        for (std::size_t i = 0; i < count; ++i) masks[i] = ReadU32(b + tableStart + 4 * i);
        tableStart += 4 * count;
      } else {
        for (std::size_t i = 0; i < 3; ++i) masks[i] = ReadU32(h + 40 + 4 * i);
        if (headerSize >= 56) masks[3] = ReadU32(h + 52);
      }
      l.red = Channel::From(masks[0]);
      l.green = Channel::From(masks[1]);
      l.blue = Channel::From(masks[2]);
      l.alpha = Channel::From(masks[3]);
      const Channel* all[4] = {&l.red, &l.green, &l.blue, &l.alpha};
      std::uint32_t seen = 0;
      for (const Channel* c : all) {
        if (!c->Contiguous()) Fail("bit mask is not contiguous");
        if (c->mask & seen) Fail("bit masks overlap");
        seen |= c->mask;
      }
      if (l.bpp == 16 && (seen >> 16) != 0) Fail("bit mask wider than the pixel");
      l.useMasks = true;
      break;
    }
    default:
      Fail("unsupported compression");
  }
  if (l.bpp == 16 && !l.useMasks) {  // default 5-5-5
    l.red = Channel::From(0x7C00);
    l.green = Channel::From(0x03E0);
    l.blue = Channel::From(0x001F);
    l.useMasks = true;
  }

  if (l.bpp <= 8) {
    const std::size_t maxEntries = std::size_t(1) << l.bpp;
    std::size_t entries = clrUsed != 0 ? std::min<std::size_t>(clrUsed, maxEntries) : maxEntries;
    if (offBits != 0) {
      if (offBits < tableStart) Fail("pixel data overlaps the headers");
      entries = std::min<std::size_t>(entries, (offBits - tableStart) / entrySize);
    }
    if (entries == 0) Fail("colour table missing");
    if (tableStart + entries * entrySize > size) Fail("colour table runs past the end of the file");
    l.palette.resize(entries);
    for (std::size_t i = 0; i < entries; ++i) {
      const std::uint8_t* e = b + tableStart + i * entrySize;
      l.palette[i] = Bgra(e[0], e[1], e[2], 255);
    }
    tableStart += entries * entrySize;
  }
  if (offBits != 0) {
    if (offBits < kFileHeaderSize + headerSize) Fail("pixel data overlaps the headers");
    l.pixelOffset = offBits;
  } else {
    l.pixelOffset = tableStart;
  }
  if (l.pixelOffset > size) Fail("pixel data starts past the end of the file");
  return l;
}

std::uint32_t PaletteColour(const Layout& l, unsigned index) {
  return index < l.palette.size() ? l.palette[index] : Bgra(0, 0, 0, 255);
}

void DecodeRow(const Layout& l, const std::uint8_t* src, std::uint8_t* dst) {
  const std::int64_t w = l.width;
  switch (l.bpp) {
    case 1:
      for (std::int64_t x = 0; x < w; ++x)
        Store(dst + 4 * x, PaletteColour(l, (src[x >> 3] >> (7 - (x & 7))) & 1));
      break;
    case 4:
      for (std::int64_t x = 0; x < w; ++x)
        Store(dst + 4 * x, PaletteColour(l, (src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15));
      break;
    case 8:
      for (std::int64_t x = 0; x < w; ++x) Store(dst + 4 * x, PaletteColour(l, src[x]));
      break;
    case 16:
      for (std::int64_t x = 0; x < w; ++x) {
        const std::uint32_t v = ReadU16(src + 2 * x);
        Store(dst + 4 * x, Bgra(l.blue.Extract(v, 0), l.green.Extract(v, 0), l.red.Extract(v, 0),
                                l.alpha.Extract(v, 255)));
      }
      break;
    case 24:
      for (std::int64_t x = 0; x < w; ++x) Store(dst + 4 * x, Bgra(src[3 * x], src[3 * x + 1], src[3 * x + 2], 255));
      break;
    case 32:
      if (!l.useMasks) {
        std::memcpy(dst, src, std::size_t(4 * w));
      } else {
        for (std::int64_t x = 0; x < w; ++x) {
          const std::uint32_t v = ReadU32(src + 4 * x);
          Store(dst + 4 * x, Bgra(l.blue.Extract(v, 0), l.green.Extract(v, 0), l.red.Extract(v, 0),
                                  l.alpha.Extract(v, 255)));
        }
      }
      break;
    default:
      assert(false);
  }
}

void DecodeUncompressed(const Layout& l, std::span<const std::uint8_t> file, BmpImage& image) {
  const std::int64_t stride = ((l.width * l.bpp + 31) / 32) * 4;
  const std::int64_t available = std::int64_t(file.size()) - std::int64_t(l.pixelOffset);
  if (stride * l.height > available) Fail("pixel data truncated");
  const std::uint8_t* data = file.data() + l.pixelOffset;
  for (std::int64_t r = 0; r < l.height; ++r) {
    const std::int64_t y = l.topDown ? r : l.height - 1 - r;
    DecodeRow(l, data + r * stride, image.Row(int(y)));
  }
}

// RLE8 and RLE4: runs and absolute blocks of colour-table indices, bottom row first, with
// end-of-line, end-of-bitmap and delta escapes. Pixels past the right edge are dropped.
void DecodeRunLength(const Layout& l, std::span<const std::uint8_t> file, BmpImage& image) {
  std::size_t end = file.size();
  if (l.sizeImage != 0 && l.pixelOffset + l.sizeImage <= end) end = l.pixelOffset + l.sizeImage;
  const std::uint8_t* d = file.data();
  const bool rle8 = l.compression == kBiRle8;
  std::size_t pos = l.pixelOffset;
  std::int64_t x = 0, y = 0;  // y counts rows from the bottom
  auto put = [&](unsigned index) {
    if (x < l.width && y < l.height) Store(image.Row(int(l.height - 1 - y)) + 4 * x, PaletteColour(l, index));
    ++x;
  };
  while (pos + 2 <= end && y < l.height) {
    const std::uint8_t count = d[pos], value = d[pos + 1];
    pos += 2;
    if (count > 0) {
      for (unsigned i = 0; i < count && x < l.width; ++i)
        put(rle8 ? value : (i % 2 == 0 ? value >> 4 : value & 15));
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta
      if (pos + 2 > end) Fail("run-length data truncated");
      x += d[pos];
      y += d[pos + 1];
      pos += 2;
    } else {  // absolute block of `value` pixels, padded to a 16-bit boundary
      const std::size_t bytes = rle8 ? value : (value + 1u) / 2;
      if (pos + bytes > end) Fail("run-length data truncated");
      for (unsigned i = 0; i < value; ++i) {
        const std::uint8_t byte = d[pos + (rle8 ? i : i / 2)];
        put(rle8 ? byte : (i % 2 == 0 ? byte >> 4 : byte & 15));
      }
      pos += (bytes + 1) & ~std::size_t(1);
    }
  }
}

}  // namespace

BmpImage::BmpImage(int w, int h) : width(w), height(h) {
  assert(w >= 0 && h >= 0);
  pixels.assign(std::size_t(w) * std::size_t(h) * 4, 0);
}

std::uint32_t BmpImage::Pixel(int x, int y) const noexcept {
  assert(x >= 0 && x < width && y >= 0 && y < height);
  const std::uint8_t* p = Row(y) + 4 * x;
  return Bgra(p[0], p[1], p[2], p[3]);
}

void BmpImage::SetPixel(int x, int y, std::uint32_t argb) noexcept {
  assert(x >= 0 && x < width && y >= 0 && y < height);
  Store(Row(y) + 4 * x, argb);
}

BmpImage DecodeBmp(std::span<const std::uint8_t> file) {
  const Layout l = ReadLayout(file);
  BmpImage image(int(l.width), int(l.height));
  image.sourceBitsPerPixel = l.bpp;
  image.sourceHasAlpha = l.bpp == 32 ? !l.useMasks || l.alpha.mask != 0 : l.alpha.mask != 0;
  if (l.compression == kBiRle8 || l.compression == kBiRle4)
    DecodeRunLength(l, file, image);
  else
    DecodeUncompressed(l, file, image);
  return image;
}

std::vector<std::uint8_t> EncodeBmp(const BmpImage& image, int bitsPerPixel) {
  if (bitsPerPixel != 24 && bitsPerPixel != 32) throw EInvalidGraphic("BMP files are written with 24 or 32 bits per pixel");
  const std::int64_t w = image.width, h = image.height;
  if (w <= 0 || h <= 0 || w > kMaxBmpDimension || h > kMaxBmpDimension || w * h > kMaxBmpPixels)
    throw EInvalidGraphic("Bitmap image is empty or too large to write");
  if (std::int64_t(image.pixels.size()) != w * h * 4)
    throw EInvalidGraphic("Bitmap pixel buffer does not match its size");
  const std::int64_t stride = ((w * bitsPerPixel + 31) / 32) * 4;
  const std::uint32_t imageSize = std::uint32_t(stride * h);
  const std::uint32_t offset = std::uint32_t(kFileHeaderSize + 40);
  std::vector<std::uint8_t> out;
  out.reserve(offset + imageSize);
  out.push_back('B');
  out.push_back('M');
  AppendU32(out, offset + imageSize);
  AppendU32(out, 0);
  AppendU32(out, offset);
  AppendU32(out, 40);
  AppendU32(out, std::uint32_t(w));
  AppendU32(out, std::uint32_t(h));  // positive: bottom-up, the form every reader accepts
  AppendU16(out, 1);
  AppendU16(out, std::uint16_t(bitsPerPixel));
  AppendU32(out, kBiRgb);
  AppendU32(out, imageSize);
  AppendU32(out, 2835);  // 72 dots per inch, in pixels per metre
  AppendU32(out, 2835);
  AppendU32(out, 0);
  AppendU32(out, 0);
  out.resize(offset + std::size_t(imageSize), 0);  // padding bytes stay 0
  std::uint8_t* dst = out.data() + offset;
  for (std::int64_t y = h - 1; y >= 0; --y, dst += stride) {
    const std::uint8_t* src = image.Row(int(y));
    if (bitsPerPixel == 32) {
      std::memcpy(dst, src, std::size_t(4 * w));
    } else {
      for (std::int64_t x = 0; x < w; ++x) std::memcpy(dst + 3 * x, src + 4 * x, 3);
    }
  }
  return out;
}

}  // namespace bus
