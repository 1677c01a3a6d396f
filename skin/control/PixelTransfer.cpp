#include "skin/control/PixelTransfer.h"

#include <cassert>

#include "framework/graphics/GdiHandles.h"
#include "skin/data/NineSlice.h"

namespace bus {

namespace {

// A DIB header for rows of `bytesPerPixel` bytes a pixel, `stride` bytes apart, top row first, or
// nothing when no DIB has rows laid out that way for at least `width` pixels.
std::optional<BITMAPINFO> HeaderFor(int width, int height, std::ptrdiff_t stride, int bytesPerPixel) {
  const std::ptrdiff_t rowWidth = stride / bytesPerPixel;  // the widest DIB whose rows fit the stride
  if (rowWidth < width || (rowWidth * bytesPerPixel + 3) / 4 * 4 != stride) return std::nullopt;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = LONG(rowWidth);
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = WORD(8 * bytesPerPixel);
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

// Most rectangles a keyed copy puts one by one; an image with more is laid over the DC's pixels
// read back (a copy costs about 0.3 µs under Wine, the memory DC and DIB section of a read-back
// about 30 µs).
constexpr std::size_t kMaxBlocks = 64;

// Copies the part `block` of `pixels`, whose rows `header` describes, to dc at (x, y) plus the
// block's place.
bool PutBlock(HDC dc, int x, int y, const PixelView& pixels, BITMAPINFO header, TSkinRect block) {
  header.bmiHeader.biHeight = -block.Height();  // the rows from the block's top down
  return SetDIBitsToDevice(dc, x + block.left, y + block.top, DWORD(block.Width()), DWORD(block.Height()),
                           block.left, 0, 0, UINT(block.Height()), pixels.Row(block.top), &header, DIB_RGB_COLORS) != 0;
}

// The keyed copy of an image with many holes: what the DC has under the image is read into a DIB
// section, the image's pixels other than the key are laid over it there, and the section goes back.
bool PutKeyed(HDC dc, int x, int y, const PixelView& pixels, std::uint32_t key) {
  const int w = pixels.width, h = pixels.height;
  MemoryDC memory(dc);
  if (!memory) return false;
  const BITMAPINFO bi = *HeaderFor(w, h, std::ptrdiff_t(w) * 4, 4);
  void* bits = nullptr;
  GdiObject<HBITMAP> section(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!section || !bits) return false;
  DcSelection selected(memory.Get(), section.Get());
  if (!selected) return false;
  if (!BitBlt(memory.Get(), 0, 0, w, h, dc, x, y, SRCCOPY)) return false;
  GdiFlush();
  DrawImage(PixelTarget{static_cast<std::uint8_t*>(bits), w, h, std::ptrdiff_t(w) * 4}, 0, 0, pixels, key);
  return BitBlt(dc, x, y, w, h, memory.Get(), 0, 0, SRCCOPY) != 0;
}

}  // namespace

PixelView ViewOf(const TBitmap& bitmap) {
  if (bitmap.Empty()) return {};
  return {bitmap.ScanLine(0), bitmap.Width(), bitmap.Height(), bitmap.ScanLineSize(),
          bitmap.PixelFormat() == pf32bit ? 4 : 3};
}

bool PutPixels(HDC dc, int x, int y, const PixelView& pixels, std::optional<std::uint32_t> key) {
  if (pixels.Empty()) return true;
  if (!dc) return false;
  assert(pixels.bytesPerPixel == 3 || pixels.bytesPerPixel == 4);
  const auto header = HeaderFor(pixels.width, pixels.height, pixels.stride, pixels.bytesPerPixel);
  if (!header) {  // rows GDI cannot read in place
    BmpImage copy(pixels.width, pixels.height);
    DrawImage(TargetOf(copy), 0, 0, pixels, std::nullopt);
    return PutPixels(dc, x, y, ViewOf(copy), key);
  }
  if (!key) return PutBlock(dc, x, y, pixels, *header, {0, 0, pixels.width, pixels.height});
  // skin images are mostly opaque with keyed corners or a keyed ground: a few rectangles of their
  // own pixels cover them, and the DC's pixels under the key are never touched
  const std::vector<TSkinRect> blocks = OpaqueBlocks(pixels, *key, kMaxBlocks);
  if (blocks.size() > kMaxBlocks) return PutKeyed(dc, x, y, pixels, *key);
  for (const TSkinRect& block : blocks) {
    if (!PutBlock(dc, x, y, pixels, *header, block)) return false;
  }
  return true;
}

}  // namespace bus
