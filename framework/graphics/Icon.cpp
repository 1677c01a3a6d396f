#include "framework/graphics/Icon.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/BmpFile.h"
#include "framework/graphics/Canvas.h"

namespace bus {

namespace {

[[noreturn]] void Fail(const char* reason) {
  throw EInvalidGraphic(std::string("Icon image is not valid: ") + reason);
}

std::uint16_t U16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
std::uint32_t U32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

struct IconEntry {
  int width = 0;
  int height = 0;
  int bitCount = 0;
  std::size_t offset = 0;
  std::size_t size = 0;
};

// Checks that an entry's image is a PNG, or a DIB whose colour table, colour rows and mask rows all
// lie within the entry, so the platform's icon loader never reads past it.
void CheckImage(std::span<const std::uint8_t> image, IconEntry& entry) {
  static constexpr std::uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (image.size() >= 8 && std::memcmp(image.data(), kPng, 8) == 0) return;
  if (image.size() < 40) Fail("image too short");
  const std::uint8_t* h = image.data();
  const std::uint32_t headerSize = U32(h);
  const std::int64_t width = std::int32_t(U32(h + 4));
  const std::int64_t doubleHeight = std::int32_t(U32(h + 8));
  const int planes = U16(h + 12), bpp = U16(h + 14);
  const std::uint32_t compression = U32(h + 16), clrUsed = U32(h + 32);
  if (headerSize < 40 || headerSize > image.size()) Fail("bad image header");
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
  const std::int64_t needed = headerSize + 4 * colours + (colourRow + maskRow) * height;
  if (needed > std::int64_t(image.size())) Fail("image data truncated");
  entry.width = int(width);
  entry.height = int(height);
  entry.bitCount = bpp;
}

std::vector<IconEntry> ReadDirectory(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 6) Fail("file too short");
  const std::uint8_t* b = bytes.data();
  if (U16(b) != 0 || U16(b + 2) != 1) Fail("not an icon file");
  const std::size_t count = U16(b + 4);
  if (count == 0) Fail("no images");
  if (6 + 16 * count > bytes.size()) Fail("directory runs past the end of the file");
  std::vector<IconEntry> entries;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* e = b + 6 + 16 * i;
    IconEntry entry;
    entry.width = e[0] == 0 ? 256 : e[0];
    entry.height = e[1] == 0 ? 256 : e[1];
    entry.bitCount = U16(e + 6);
    entry.size = U32(e + 8);
    entry.offset = U32(e + 12);
    if (entry.offset > bytes.size() || entry.size > bytes.size() - entry.offset) Fail("image runs past the end of the file");
    CheckImage(bytes.subspan(entry.offset, entry.size), entry);
    entries.push_back(entry);
  }
  return entries;
}

}  // namespace

TIcon::TIcon() = default;
TIcon::~TIcon() = default;

void TIcon::Install(IconHandle icon) {
  int width = 0, height = 0;
  if (icon) {
    ICONINFO info{};
    if (GetIconInfo(icon.Get(), &info)) {
      GdiObject<HBITMAP> colour(info.hbmColor), mask(info.hbmMask);
      BITMAP bm{};
      if (colour && GetObjectW(colour.Get(), sizeof bm, &bm)) {
        width = bm.bmWidth;
        height = bm.bmHeight;
      } else if (mask && GetObjectW(mask.Get(), sizeof bm, &bm)) {
        width = bm.bmWidth;
        height = bm.bmHeight / 2;  // monochrome: AND and XOR masks stacked
      }
    }
  }
  handle_ = std::move(icon);
  width_ = width;
  height_ = height;
  Changed();
}

void TIcon::SetHandle(HICON icon) {
  if (icon == handle_.Get()) return;
  Install(IconHandle(icon));
}

HICON TIcon::ReleaseHandle() {
  HICON icon = handle_.Release();
  Install(IconHandle());
  return icon;
}

void TIcon::Assign(const TIcon& source) {
  if (&source == this) return;
  IconHandle copy;
  if (source.handle_) {
    copy.Reset(CopyIcon(source.handle_.Get()));
    if (!copy) throw EInvalidGraphicOperation("Cannot copy the icon");
  }
  Install(std::move(copy));
}

void TIcon::LoadFromStream(TStream& source) {
  const std::int64_t left = source.Size() - source.Position();
  if (left <= 0) {
    Install(IconHandle());
    return;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(left));
  source.ReadBuffer(bytes.data(), bytes.size());
  LoadFromBytes(bytes);
}

void TIcon::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  const std::vector<IconEntry> entries = ReadDirectory(bytes);
  const int want = preferredSize_ > 0 ? preferredSize_ : GetSystemMetrics(SM_CXICON);
  const IconEntry* best = &entries.front();
  for (const IconEntry& e : entries) {
    const int d = std::abs(e.width - want), bestD = std::abs(best->width - want);
    if (d < bestD || (d == bestD && e.bitCount > best->bitCount)) best = &e;
  }
  IconHandle icon(CreateIconFromResourceEx(const_cast<PBYTE>(bytes.data() + best->offset), DWORD(best->size), TRUE,
                                           0x00030000, best->width, best->height, LR_DEFAULTCOLOR));
  if (!icon) Fail("the platform cannot read the image");
  Install(std::move(icon));
}

void TIcon::SaveToStream(TStream& target) const {
  if (!handle_) return;
  ICONINFO info{};
  if (!GetIconInfo(handle_.Get(), &info)) throw EInvalidGraphicOperation("Cannot read the icon");
  GdiObject<HBITMAP> colour(info.hbmColor), mask(info.hbmMask);
  const int w = width_, h = height_;
  WindowDC screen;
  // colour pixels; a monochrome icon keeps them in the lower half of its mask
  std::vector<std::uint8_t> pixels(std::size_t(w) * h * 4), maskPixels(std::size_t(w) * h * 4);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  if (colour) {
    bi.bmiHeader.biHeight = -h;
    GetDIBits(screen.Get(), colour.Get(), 0, UINT(h), pixels.data(), &bi, DIB_RGB_COLORS);
    bi.bmiHeader.biHeight = -h;
    GetDIBits(screen.Get(), mask.Get(), 0, UINT(h), maskPixels.data(), &bi, DIB_RGB_COLORS);
  } else {
    std::vector<std::uint8_t> both(std::size_t(w) * h * 8);
    bi.bmiHeader.biHeight = -2 * h;
    GetDIBits(screen.Get(), mask.Get(), 0, UINT(2 * h), both.data(), &bi, DIB_RGB_COLORS);
    std::memcpy(maskPixels.data(), both.data(), maskPixels.size());
    std::memcpy(pixels.data(), both.data() + maskPixels.size(), pixels.size());
  }
  bool anyAlpha = false;
  for (std::size_t i = 3; i < pixels.size(); i += 4) anyAlpha = anyAlpha || pixels[i] != 0;
  const std::size_t maskRow = std::size_t((w + 31) / 32) * 4;
  std::vector<std::uint8_t> andBits(maskRow * h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::size_t i = (std::size_t(y) * w + x) * 4;
      const bool transparent = maskPixels[i] != 0 || maskPixels[i + 1] != 0 || maskPixels[i + 2] != 0;
      if (!anyAlpha) pixels[i + 3] = transparent ? 0 : 255;
      // file rows are bottom-up
      if (transparent) andBits[maskRow * std::size_t(h - 1 - y) + x / 8] |= std::uint8_t(0x80 >> (x % 8));
    }
  const std::uint32_t imageSize = std::uint32_t(40 + pixels.size() + andBits.size());
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, 1);
  out.push_back(std::uint8_t(w >= 256 ? 0 : w));
  out.push_back(std::uint8_t(h >= 256 ? 0 : h));
  out.push_back(0);
  out.push_back(0);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, imageSize);
  Put32(out, 6 + 16);
  Put32(out, 40);
  Put32(out, std::uint32_t(w));
  Put32(out, std::uint32_t(2 * h));
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  Put32(out, std::uint32_t(pixels.size() + andBits.size()));
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = h - 1; y >= 0; --y) {
    const std::uint8_t* row = pixels.data() + std::size_t(y) * w * 4;
    out.insert(out.end(), row, row + std::size_t(w) * 4);
  }
  out.insert(out.end(), andBits.begin(), andBits.end());
  target.WriteBuffer(out.data(), out.size());
}

void TIcon::Draw(TCanvas& canvas, const RECT& rect) {
  if (!handle_) return;
  DrawIconEx(canvas.Handle(), rect.left, rect.top, handle_.Get(), rect.right - rect.left, rect.bottom - rect.top, 0,
             nullptr, DI_NORMAL);
}

}  // namespace bus
