#include "skin/form/FrameDrawing.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

#include "skin/control/PixelTransfer.h"

namespace bus {

namespace {

// Rectangles handed to the platform at once: a region is made of each batch and united with what
// was made before, so that a border with many holes never asks for one huge allocation.
constexpr std::size_t kRegionBatch = 2000;

// A region of the rectangles, each moved by (x, y).
GdiObject<HRGN> RegionOf(const TSkinRect* rects, std::size_t count, int x, int y) {
  std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = DWORD(count);
  header->nRgnSize = DWORD(count * sizeof(RECT));
  RECT bounds{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  auto* out = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
  for (std::size_t i = 0; i < count; ++i) {
    out[i] = {rects[i].left + x, rects[i].top + y, rects[i].right + x, rects[i].bottom + y};
    bounds = {std::min(bounds.left, out[i].left), std::min(bounds.top, out[i].top),
              std::max(bounds.right, out[i].right), std::max(bounds.bottom, out[i].bottom)};
  }
  header->rcBound = count ? bounds : RECT{};
  return GdiObject<HRGN>(ExtCreateRegion(nullptr, DWORD(data.size()), reinterpret_cast<RGNDATA*>(data.data())));
}

}  // namespace

void DrawSkinBand(HDC dc, const RECT& rect, const TBitmap& image, bool vertical, bool transparent, int frameCount,
                  int frame, TSkinMargins margins) {
  if (rect.right < rect.left || rect.bottom < rect.top || image.Empty()) return;
  const BmpImage band =
      RenderSkinBand(ViewOf(image), rect.right - rect.left, rect.bottom - rect.top, vertical, frameCount, frame, margins);
  if (band.width == 0 || band.height == 0) return;
  PutPixels(dc, rect.left, rect.top, ViewOf(band), transparent ? std::optional(kSkinTransparent) : std::nullopt);
}

GdiObject<HRGN> RegionFromBitmap(const TBitmap& bitmap, int x, int y, std::uint32_t key) {
  return RegionFromPixels(ViewOf(bitmap), x, y, key);
}

GdiObject<HRGN> RegionFromPixels(const PixelView& pixels, int x, int y, std::uint32_t key) {
  GdiObject<HRGN> result(CreateRectRgn(0, 0, 0, 0));
  if (!result || pixels.Empty()) return result;
  const std::vector<TSkinRect> blocks = OpaqueBlocks(pixels, key);
  for (std::size_t first = 0; first < blocks.size(); first += kRegionBatch) {
    const GdiObject<HRGN> part = RegionOf(blocks.data() + first, std::min(kRegionBatch, blocks.size() - first), x, y);
    if (!part || CombineRgn(result.Get(), result.Get(), part.Get(), RGN_OR) == ERROR) return {};
  }
  return result;
}

}  // namespace bus
