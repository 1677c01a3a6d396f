#include "skin/data/NineSlice.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace bus {

namespace {

// Clamps a size or margin from a skin file or a caller to what an image can be.
int FitSize(int v) { return std::clamp(v, 0, kMaxBmpDimension); }

// Whether the pixel at p has the colour key (0xRRGGBB); the fourth byte does not count.
bool HasColour(const std::uint8_t* p, std::uint32_t key) {
  return p[0] == (key & 0xFF) && p[1] == (key >> 8 & 0xFF) && p[2] == (key >> 16 & 0xFF);
}

// Copies one pixel of `from` (3 or 4 bytes) to a 32-bit pixel; three bytes get a fourth of 255.
void CopyPixel(std::uint8_t* to, const std::uint8_t* from, int bytesPerPixel) {
  if (bytesPerPixel == 4) {
    std::memcpy(to, from, 4);
  } else {
    std::memcpy(to, from, 3);
    to[3] = 255;
  }
}

TSkinRect Intersection(TSkinRect a, TSkinRect b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// Where a part of a rendering goes: `to`, whose top-left pixel is (left, top) of the destination,
// written only inside `clip` (destination coordinates).
struct PartTarget {
  const PixelTarget& to;  // the pixels
  int left;               // destination column of to's first column
  int top;                // destination row of to's first row
  TSkinRect clip;         // what may be written
};

// Fills the part of `area` (destination coordinates) that the target may take with the source
// pixels (column(x), row(y)) of `from`, skipping source pixels outside it. The column of each
// destination column is worked out once, not once per pixel, and a 24-bit source row is widened to
// 32 bits once, so that each pixel is one 4-byte copy.
template <class Column, class Row>
void CopyMapped(const PixelView& from, const PartTarget& target, TSkinRect area, Column column, Row row) {
  const PixelTarget& to = target.to;
  const TSkinRect r = Intersection(
      Intersection(area, target.clip), {target.left, target.top, target.left + to.width, target.top + to.height});
  if (r.Empty() || from.Empty()) return;
  std::vector<int> columns(std::size_t(r.Width()));
  int first = INT_MAX, last = -1;  // source columns used
  bool allInside = true;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const int sx = column(r.left + int(i));
    allInside = allInside && sx >= 0 && sx < from.width;
    columns[i] = sx >= 0 && sx < from.width ? sx : -1;
    if (columns[i] >= 0) first = std::min(first, sx), last = std::max(last, sx);
  }
  if (last < 0) return;
  bool contiguous = allInside;  // each column the one after the previous: whole rows are copied
  for (std::size_t i = 1; contiguous && i < columns.size(); ++i) contiguous = columns[i] == columns[i - 1] + 1;
  for (int& c : columns) c = c >= 0 ? c - first : -1;  // relative to the first column used
  std::vector<std::uint8_t> wide;  // a 24-bit source row from `first` to `last`, widened
  if (from.bytesPerPixel == 3) wide.resize(std::size_t(last - first + 1) * 4);
  for (int y = r.top; y < r.bottom; ++y) {
    const int sy = row(y);
    if (sy < 0 || sy >= from.height) continue;
    const std::uint8_t* source = from.Row(sy) + std::ptrdiff_t(from.bytesPerPixel) * first;
    if (from.bytesPerPixel == 3) {
      for (int x = 0; x <= last - first; ++x) CopyPixel(&wide[std::size_t(x) * 4], source + 3 * x, 3);
      source = wide.data();
    }
    std::uint8_t* dest = to.Row(y - target.top) + 4 * std::ptrdiff_t(r.left - target.left);
    if (contiguous) {
      std::memcpy(dest, source, columns.size() * 4);
    } else if (allInside) {
      for (std::size_t i = 0; i < columns.size(); ++i) std::memcpy(dest + 4 * i, source + 4 * columns[i], 4);
    } else {
      for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i] >= 0) std::memcpy(dest + 4 * i, source + 4 * columns[i], 4);
      }
    }
  }
}

// Stretches `source` (absolute in `from`) over `dest` by nearest neighbours.
void StretchPiece(const PixelView& from, TSkinRect source, const PartTarget& to, TSkinRect dest) {
  if (source.Empty() || dest.Empty()) return;
  const std::int64_t sw = source.Width(), sh = source.Height(), dw = dest.Width(), dh = dest.Height();
  CopyMapped(
      from, to, dest, [&](int x) { return source.left + int((x - dest.left) * sw / dw); },
      [&](int y) { return source.top + int((y - dest.top) * sh / dh); });
}

// Repeats `source` from dest's top-left corner while a copy starts inside dest; the last row and
// column of copies run over dest and are cut by the target's clip only.
void TilePiece(const PixelView& from, TSkinRect source, const PartTarget& to, TSkinRect dest) {
  if (source.Empty() || dest.Empty()) return;
  const int sw = source.Width(), sh = source.Height();
  const std::int64_t right = dest.left + (std::int64_t(dest.Width()) + sw - 1) / sw * sw;
  const std::int64_t bottom = dest.top + (std::int64_t(dest.Height()) + sh - 1) / sh * sh;
  const TSkinRect covered{dest.left, dest.top, int(std::min<std::int64_t>(right, INT_MAX)),
                          int(std::min<std::int64_t>(bottom, INT_MAX))};
  CopyMapped(
      from, to, covered, [&](int x) { return source.left + (x - dest.left) % sw; },
      [&](int y) { return source.top + (y - dest.top) % sh; });
}

}  // namespace

TSkinRect SkinFrameRect(int imageWidth, int imageHeight, int frameCount, int frame, bool vertical) {
  const int count = std::max(frameCount, 1);
  if (frame < 1 || frame > count) return {};
  if (vertical) {
    const int h = imageHeight / count;
    return {0, (frame - 1) * h, imageWidth, frame * h};
  }
  const int w = imageWidth / count;
  return {(frame - 1) * w, 0, frame * w, imageHeight};
}

TSkinMargins FitMargins(int width, int height, TSkinMargins m) {
  // margins come from skin files: negative ones count as 0, and none is larger than an image can be
  m = {FitSize(m.left), FitSize(m.top), FitSize(m.right), FitSize(m.bottom)};
  if (FitSize(width) < m.left + m.right) m.left = m.right = 0;
  if (FitSize(height) < m.top + m.bottom) m.top = m.bottom = 0;
  return m;
}

std::vector<NineSlicePiece> NineSlicePieces(int width, int height, int frameWidth, int frameHeight,
                                            TSkinMargins m, bool tile, bool withCentre) {
  m = FitMargins(width, height, m);
  const int w = FitSize(frameWidth), h = FitSize(frameHeight), W = FitSize(width), H = FitSize(height);
  std::vector<NineSlicePiece> pieces;
  pieces.reserve(9);
  const auto add = [&](bool present, TSkinRect source, TSkinRect dest, bool tiled = false) {
    if (present) pieces.push_back({source, dest, tiled});
  };
  add(m.left * m.top > 0, {0, 0, m.left, m.top}, {0, 0, m.left, m.top});
  add(m.left * m.bottom > 0, {0, h - m.bottom, m.left, h}, {0, H - m.bottom, m.left, H});
  add(m.right * m.top > 0, {w - m.right, 0, w, m.top}, {W - m.right, 0, W, m.top});
  add(m.left > 0, {0, m.top, m.left, h - m.bottom}, {0, m.top, m.left, H - m.bottom});
  add(m.top > 0, {m.left, 0, w - m.right, m.top}, {m.left, 0, W - m.right, m.top});
  add(withCentre, {m.left, m.top, w - m.right, h - m.bottom}, {m.left, m.top, W - m.right, H - m.bottom}, tile);
  add(m.right * m.bottom > 0, {w - m.right, h - m.bottom, w, h}, {W - m.right, H - m.bottom, W, H});
  add(m.right > 0, {w - m.right, m.top, w, h - m.bottom}, {W - m.right, m.top, W, H - m.bottom});
  add(m.bottom > 0, {m.left, h - m.bottom, w - m.right, h}, {m.left, H - m.bottom, W - m.right, H});
  return pieces;
}

std::vector<TSkinRect> SkinBorderBands(int width, int height, TSkinMargins margins) {
  const TSkinMargins m = FitMargins(width, height, margins);
  const int W = FitSize(width), H = FitSize(height);
  std::vector<TSkinRect> bands;
  for (const TSkinRect band : {TSkinRect{0, 0, W, m.top}, TSkinRect{0, H - m.bottom, W, H},
                               TSkinRect{0, m.top, m.left, H - m.bottom}, TSkinRect{W - m.right, m.top, W, H - m.bottom}}) {
    if (!band.Empty()) bands.push_back(band);
  }
  return bands;
}

void RenderSkinPart(const PixelView& image, int width, int height, TSkinRect part, TSkinMargins margins,
                    bool vertical, bool tile, int frameCount, int frame, bool withCentre, const PixelTarget& target) {
  if (image.Empty() || part.Empty() || !target.bits) return;
  const TSkinRect f = SkinFrameRect(image.width, image.height, frameCount, frame, vertical);
  if (f.Empty()) return;  // no such frame in the strip
  // the tiles of the centre may run over it: the destination's edges cut them, and the pieces drawn
  // after the centre cover what runs over inside
  const PartTarget to{target, part.left, part.top, Intersection(part, {0, 0, FitSize(width), FitSize(height)})};
  for (const NineSlicePiece& p : NineSlicePieces(width, height, f.Width(), f.Height(), margins, tile, withCentre)) {
    const TSkinRect source{f.left + p.source.left, f.top + p.source.top, f.left + p.source.right, f.top + p.source.bottom};
    if (p.tiled) TilePiece(image, source, to, p.dest);
    else StretchPiece(image, source, to, p.dest);
  }
}

BmpImage RenderSkinImage(const PixelView& image, int width, int height, TSkinMargins margins, bool vertical, bool tile,
                         int frameCount, int frame) {
  BmpImage result(FitSize(width), FitSize(height));
  RenderSkinPart(image, result.width, result.height, {0, 0, result.width, result.height}, margins, vertical, tile,
                 frameCount, frame, true, TargetOf(result));
  return result;
}

BmpImage RenderTiles(const PixelView& image, TSkinRect source, int width, int height) {
  source = Intersection(source, {0, 0, image.width, image.height});
  if (image.Empty() || source.Empty() || width <= 0 || height <= 0) return {};
  const int columns = (FitSize(width) + source.Width() - 1) / source.Width();
  const int rows = (FitSize(height) + source.Height() - 1) / source.Height();
  BmpImage result(FitSize(columns * source.Width()), FitSize(rows * source.Height()));
  const PixelTarget pixels = TargetOf(result);
  const TSkinRect all{0, 0, result.width, result.height};
  TilePiece(image, source, {pixels, 0, 0, all}, all);
  return result;
}

TSkinRect CentredRect(TSkinRect area, int width, int height) {
  const int left = area.left + (area.Width() - width) / 2, top = area.top + (area.Height() - height) / 2;
  return {left, top, left + width, top + height};
}

void DrawImage(const PixelTarget& target, int x, int y, const PixelView& image, std::optional<std::uint32_t> key) {
  if (image.Empty() || !target.bits) return;
  const int yFirst = std::max(0, -y), yEnd = std::min(image.height, target.height - y);
  const int xFirst = std::max(0, -x), xEnd = std::min(image.width, target.width - x);
  const int bpp = image.bytesPerPixel;
  for (int sy = yFirst; sy < yEnd; ++sy) {
    const std::uint8_t* from = image.Row(sy);
    std::uint8_t* to = target.Row(y + sy);
    for (int sx = xFirst; sx < xEnd; ++sx) {
      const std::uint8_t* p = from + std::ptrdiff_t(bpp) * sx;
      if (key && HasColour(p, *key)) continue;
      CopyPixel(to + 4 * std::ptrdiff_t(x + sx), p, bpp);
    }
  }
}

void DrawImage(BmpImage& target, int x, int y, const BmpImage& image, bool transparent) {
  DrawImage(TargetOf(target), x, y, ViewOf(image), transparent ? std::optional(kSkinTransparent) : std::nullopt);
}

BmpImage RenderSkinBand(const PixelView& image, int width, int height, bool vertical, int frameCount, int frame,
                        TSkinMargins margins) {
  const TSkinRect cell = SkinFrameRect(image.width, image.height, frameCount, frame, vertical);
  const int w = FitSize(width), h = FitSize(height);
  if (cell.Empty() || image.Empty()) return BmpImage(w, h);
  // the frame stretched to the band's height, then its middle repeated sideways: the tiled centre of
  // a nine-slice rendering with only side margins
  const BmpImage column = RenderSkinImage(image, cell.Width(), h, {}, vertical, false, frameCount, frame);
  const int left = FitSize(margins.left), right = FitSize(margins.right);
  const bool repeat = cell.Width() - left - right > 0;  // a middle without width would never advance
  return RenderSkinImage(column, w, h, repeat ? TSkinMargins{left, 0, right, 0} : TSkinMargins{}, false, repeat, 1, 1);
}

std::vector<TSkinRect> OpaqueBlocks(const PixelView& image, std::uint32_t key, std::size_t limit) {
  std::vector<TSkinRect> blocks;      // finished, and then all
  std::vector<TSkinRect> open;        // the blocks of the rows so far that have the current runs
  std::vector<int> runs, previous;    // starts and ends of the non-key runs of a row
  for (int y = 0; y < image.height && !image.Empty(); ++y) {
    runs.clear();
    const std::uint8_t* row = image.Row(y);
    for (int x = 0; x < image.width;) {
      while (x < image.width && HasColour(row + std::ptrdiff_t(image.bytesPerPixel) * x, key)) ++x;
      const int start = x;
      while (x < image.width && !HasColour(row + std::ptrdiff_t(image.bytesPerPixel) * x, key)) ++x;
      if (x > start) runs.insert(runs.end(), {start, x});
    }
    if (y > 0 && runs == previous) {
      for (TSkinRect& b : open) b.bottom = y + 1;
      continue;
    }
    blocks.insert(blocks.end(), open.begin(), open.end());
    open.clear();
    for (std::size_t i = 0; i < runs.size(); i += 2) open.push_back({runs[i], y, runs[i + 1], y + 1});
    std::swap(runs, previous);
    if (blocks.size() + open.size() > limit) break;
  }
  blocks.insert(blocks.end(), open.begin(), open.end());
  return blocks;
}

void FillImageRect(BmpImage& image, TSkinRect rect, std::uint32_t rgb) {
  const int xFirst = std::max(rect.left, 0), xEnd = std::min(rect.right, image.width);
  for (int y = std::max(rect.top, 0); y < std::min(rect.bottom, image.height); ++y) {
    for (int x = xFirst; x < xEnd; ++x) image.SetPixel(x, y, 0xFF000000u | (rgb & 0xFFFFFF));
  }
}

BmpImage BuildComboStrip(const TSkinStrip& sunkEdge, const TSkinStrip& comboButton, const TSkinStrip* extra,
                         int arrowWidth) {
  const int frames = std::clamp(sunkEdge.frames, 1, kMaxBmpDimension / kComboCellWidth);
  constexpr int kW = kComboCellWidth, kH = kComboCellHeight;
  BmpImage strip(kW * frames, kH);
  FillImageRect(strip, {0, 0, strip.width, kH}, kSkinTransparent);
  const TSkinRect arrow{kW - arrowWidth, 0, kW, kH};
  for (int b = 1; b <= frames; ++b) {
    BmpImage cell(kW, kH);
    FillImageRect(cell, {0, 0, kW, kH}, kSkinTransparent);
    if (sunkEdge.image) {
      DrawImage(cell, 0, 0,
                RenderSkinImage(*sunkEdge.image, kW, kH, sunkEdge.margins, false, sunkEdge.tile, sunkEdge.frames, b),
                sunkEdge.transparent);
    }
    if (comboButton.image && !arrow.Empty()) {
      DrawImage(cell, arrow.left, arrow.top,
                RenderSkinImage(*comboButton.image, arrow.Width(), arrow.Height(), comboButton.margins, false,
                                comboButton.tile, comboButton.frames, b),
                true);
    }
    if (extra && extra->image && extra->image->width > 0) {
      // one frame at its own size, centred in the arrow part
      const TSkinRect f = SkinFrameRect(extra->image->width, extra->image->height, extra->frames, b);
      const BmpImage glyph = RenderSkinImage(*extra->image, f.Width(), f.Height(), {}, false, false, extra->frames, b);
      DrawImage(cell, arrow.left + (arrow.Width() - glyph.width) / 2, arrow.top + (arrow.Height() - glyph.height) / 2,
                glyph, true);
    }
    FillImageRect(cell, {2, 2, kW - 1 - arrowWidth, 18}, kSkinTransparent);
    DrawImage(strip, kW * (b - 1), 0, cell, false);
  }
  return strip;
}

}  // namespace bus
