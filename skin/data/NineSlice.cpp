#include "skin/data/NineSlice.h"

#include <algorithm>
#include <cstring>

namespace bus {

namespace {

bool IsTransparent(const std::uint8_t* bgra) {
  return bgra[0] == (kSkinTransparent & 0xFF) && bgra[1] == (kSkinTransparent >> 8 & 0xFF) &&
         bgra[2] == (kSkinTransparent >> 16 & 0xFF);
}

bool Inside(const BmpImage& image, int x, int y) { return x >= 0 && y >= 0 && x < image.width && y < image.height; }

// Copies source pixel (sx, sy) of `from` to (dx, dy) of `to` when both lie inside their images.
void CopyPixel(const BmpImage& from, int sx, int sy, BmpImage& to, int dx, int dy) {
  if (!Inside(from, sx, sy) || !Inside(to, dx, dy)) return;
  std::memcpy(to.Row(dy) + 4 * dx, from.Row(sy) + 4 * sx, 4);
}

// Stretches `source` (absolute in `from`) onto `dest` of `to` by nearest neighbours, cut to `to`.
void StretchPiece(const BmpImage& from, TSkinRect source, BmpImage& to, TSkinRect dest) {
  if (source.Empty() || dest.Empty()) return;
  const std::int64_t sw = source.Width(), sh = source.Height();
  const std::int64_t dw = dest.Width(), dh = dest.Height();
  const int yFirst = std::max(dest.top, 0), yEnd = std::min(dest.bottom, to.height);
  const int xFirst = std::max(dest.left, 0), xEnd = std::min(dest.right, to.width);
  for (int y = yFirst; y < yEnd; ++y) {
    const int sy = source.top + int((y - dest.top) * sh / dh);
    for (int x = xFirst; x < xEnd; ++x) CopyPixel(from, source.left + int((x - dest.left) * sw / dw), sy, to, x, y);
  }
}

// Repeats `source` from dest's top-left corner while a copy starts inside dest; the last row and
// column of copies are cut by `to` only.
void TilePiece(const BmpImage& from, TSkinRect source, BmpImage& to, TSkinRect dest) {
  if (source.Empty() || dest.Empty()) return;
  for (int y = dest.top; y < dest.bottom; y += source.Height()) {
    for (int x = dest.left; x < dest.right; x += source.Width()) {
      StretchPiece(from, source, to, {x, y, x + source.Width(), y + source.Height()});
    }
  }
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

std::vector<NineSlicePiece> NineSlicePieces(int width, int height, int frameWidth, int frameHeight,
                                            TSkinMargins m, bool tile, bool withCentre) {
  // margins come from skin files: negative ones count as 0, and none is larger than an image can be
  const auto fit = [](int v) { return std::clamp(v, 0, kMaxBmpDimension); };
  m = {fit(m.left), fit(m.top), fit(m.right), fit(m.bottom)};
  width = fit(width);
  height = fit(height);
  frameWidth = fit(frameWidth);
  frameHeight = fit(frameHeight);
  if (width < m.left + m.right) m.left = m.right = 0;
  if (height < m.top + m.bottom) m.top = m.bottom = 0;
  const int w = frameWidth, h = frameHeight, W = width, H = height;
  std::vector<NineSlicePiece> pieces;
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

BmpImage RenderSkinImage(const BmpImage& image, int width, int height, TSkinMargins margins, bool vertical, bool tile,
                         int frameCount, int frame) {
  BmpImage result(std::max(width, 0), std::max(height, 0));
  if (result.width == 0 || result.height == 0 || image.width == 0 || image.height == 0) return result;
  const TSkinRect f = SkinFrameRect(image.width, image.height, frameCount, frame, vertical);
  for (const NineSlicePiece& p : NineSlicePieces(result.width, result.height, f.Width(), f.Height(), margins, tile)) {
    const TSkinRect source{f.left + p.source.left, f.top + p.source.top, f.left + p.source.right, f.top + p.source.bottom};
    if (p.tiled) TilePiece(image, source, result, p.dest);
    else StretchPiece(image, source, result, p.dest);
  }
  return result;
}

void DrawImage(BmpImage& target, int x, int y, const BmpImage& image, bool transparent) {
  const int yFirst = std::max(0, -y), yEnd = std::min(image.height, target.height - y);
  const int xFirst = std::max(0, -x), xEnd = std::min(image.width, target.width - x);
  for (int sy = yFirst; sy < yEnd; ++sy) {
    const std::uint8_t* from = image.Row(sy);
    std::uint8_t* to = target.Row(y + sy);
    for (int sx = xFirst; sx < xEnd; ++sx) {
      if (transparent && IsTransparent(from + 4 * sx)) continue;
      std::memcpy(to + 4 * (x + sx), from + 4 * sx, 4);
    }
  }
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
