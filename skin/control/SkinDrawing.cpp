#include "skin/control/SkinDrawing.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "skin/control/PixelTransfer.h"
#include "skin/data/SkinObjects.h"

namespace bus {

namespace {

// Most pixels rendered at once (4 MB): a larger drawing is rendered and copied in bands of rows.
constexpr std::int64_t kBandPixels = std::int64_t(1) << 20;

// The extent from `from` to `to`, cut to what an image can be; 0 when inverted.
int Extent(LONG from, LONG to) {
  return int(std::clamp<std::int64_t>(std::int64_t(to) - from, 0, kMaxBmpDimension));
}

bool Drawable(const RECT& r) { return r.right > r.left && r.bottom > r.top; }

// Rows of a band of `area` that keep it within kBandPixels; a multiple of `step` rows.
int BandRows(int width, int height, int step = 1) {
  const std::int64_t steps = std::max<std::int64_t>(1, kBandPixels / (std::int64_t(std::max(width, 1)) * step));
  return int(std::min<std::int64_t>(steps * step, height));
}

std::optional<std::uint32_t> KeyOf(bool transparent) {
  return transparent ? std::optional(kSkinTransparent) : std::nullopt;
}

// Renders the nine-slice rendering of `image` over rect (only its border bands when `bordersOnly`)
// and copies it to dc band by band.
void DrawNineSlice(HDC dc, const RECT& rect, const TBitmap& image, TSkinMargins margins, bool vertical, bool tile,
                   int frameCount, int frame, bool bordersOnly, bool transparent) {
  if (!Drawable(rect) || image.Empty() ||
      SkinFrameRect(image.Width(), image.Height(), frameCount, frame, vertical).Empty())
    return;
  const int width = Extent(rect.left, rect.right), height = Extent(rect.top, rect.bottom);
  const PixelView view = ViewOf(image);
  const std::vector<TSkinRect> areas =
      bordersOnly ? SkinBorderBands(width, height, margins) : std::vector<TSkinRect>{{0, 0, width, height}};
  for (const TSkinRect& area : areas) {
    const int rows = BandRows(area.Width(), area.Height());
    for (int top = area.top; top < area.bottom; top += rows) {
      const TSkinRect band{area.left, top, area.right, std::min(area.bottom, top + rows)};
      BmpImage pixels(band.Width(), band.Height());
      RenderSkinPart(view, width, height, band, margins, vertical, tile, frameCount, frame, !bordersOnly,
                     TargetOf(pixels));
      if (!PutPixels(dc, rect.left + band.left, rect.top + band.top, ViewOf(pixels), KeyOf(transparent))) return;
    }
  }
}

}  // namespace

std::unique_ptr<TBitmap> RenderSkinImage(const RECT& rect, const TBitmap& image, TSkinMargins margins, bool vertical,
                                         bool tile, int frameCount, int frame) {
  if (!Drawable(rect)) return std::make_unique<TBitmap>();
  const int width = Extent(rect.left, rect.right), height = Extent(rect.top, rect.bottom);
  auto result = std::make_unique<TBitmap>(width, height, pf32bit);
  const PixelTarget target{result->ScanLine(0), width, height, result->ScanLineSize()};
  RenderSkinPart(ViewOf(image), width, height, {0, 0, width, height}, margins, vertical, tile, frameCount, frame, true,
                 target);
  return result;
}

void TileBitmap(TCanvas& canvas, const RECT& dest, const TBitmap& image, const RECT& source) {
  if (!Drawable(dest)) return;
  const TSkinRect tile{std::max<LONG>(source.left, 0), std::max<LONG>(source.top, 0),
                       std::min<LONG>(source.right, image.Width()), std::min<LONG>(source.bottom, image.Height())};
  if (tile.Empty()) return;
  const int width = Extent(dest.left, dest.right), height = Extent(dest.top, dest.bottom);
  // every band of whole tile rows looks the same: render one and copy it down the destination
  const int tileRows = (height + tile.Height() - 1) / tile.Height();
  const int coveredHeight = int(std::min<std::int64_t>(std::int64_t(tileRows) * tile.Height(), kMaxBmpDimension));
  const int coveredWidth = (width + tile.Width() - 1) / tile.Width() * tile.Width();
  const BmpImage band = RenderTiles(ViewOf(image), tile, width, BandRows(coveredWidth, coveredHeight, tile.Height()));
  HDC dc = canvas.Handle();
  for (int top = 0; top < coveredHeight && band.height > 0; top += band.height) {
    PixelView rows = ViewOf(band);
    rows.height = std::min(band.height, coveredHeight - top);
    if (!PutPixels(dc, dest.left, dest.top + top, rows)) return;
  }
}

void DrawSkinImage(HDC dc, const RECT& rect, const TBitmap& image, bool vertical, bool tile, bool transparent,
                   int frameCount, int frame, TSkinMargins margins) {
  DrawNineSlice(dc, rect, image, margins, vertical, tile, frameCount, frame, false, transparent);
}

void DrawSkinObject(HDC dc, const RECT& rect, int frameCount, int frame, const TDataSkinObject& object) {
  DrawSkinImage(dc, rect, object.Image(), false, object.Tile() == 1, object.Trans() == 1, frameCount, frame,
                object.Margins());
}

void DrawSkinBorder(HDC dc, const RECT& rect, const TBitmap& image, bool vertical, int frameCount, int frame,
                    TSkinMargins margins) {
  DrawNineSlice(dc, rect, image, margins, vertical, false, frameCount, frame, true, false);
}

void DrawSkinFrame(HDC dc, const RECT& rect, const TBitmap& image, bool transparent, int frameCount, int frame) {
  DrawSkinImage(dc, rect, image, false, false, transparent, frameCount, frame, {});
}

void DrawSkinFrameTransparent(HDC dc, const RECT& rect, int frameCount, int frame, const TBitmap& image) {
  DrawSkinFrame(dc, rect, image, true, frameCount, frame);
}

void DrawSkinFrameTransparent(TCanvas& canvas, const RECT& rect, int frameCount, int frame, const TBitmap& image) {
  if (Drawable(rect)) DrawSkinFrame(canvas.Handle(), rect, image, true, frameCount, frame);
}

void DrawSkinGlyph(HDC dc, const RECT& rect, const TBitmap& image, bool transparent, int frameCount, int frame) {
  const TSkinRect f = SkinFrameRect(image.Width(), image.Height(), frameCount, frame);
  if (!Drawable(rect) || f.Empty()) return;
  const TSkinRect g = CentredRect({rect.left, rect.top, rect.right, rect.bottom}, f.Width(), f.Height());
  DrawSkinFrame(dc, {g.left, g.top, g.right, g.bottom}, image, transparent, frameCount, frame);
}

void DrawTransparent(HDC dc, const RECT& rect, const TBitmap& image, TColor transparentColor) {
  if (!Drawable(rect)) return;
  PixelView part = ViewOf(image);
  part.width = std::min(part.width, Extent(rect.left, rect.right));
  part.height = std::min(part.height, Extent(rect.top, rect.bottom));
  const std::uint32_t rgb = ColorToRGB(transparentColor);  // 0x00BBGGRR
  PutPixels(dc, rect.left, rect.top, part, GetRValue(rgb) << 16 | GetGValue(rgb) << 8 | GetBValue(rgb));
}

}  // namespace bus
