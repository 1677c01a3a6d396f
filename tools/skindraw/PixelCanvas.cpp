#include "tools/skindraw/PixelCanvas.h"

#include <cassert>
#include <cmath>
#include <cstdlib>

namespace bus::tools {

PixelCanvas::PixelCanvas(int width, int height, std::uint32_t fill) : image_(width, height) {
  Fill(0, 0, width, height, fill);
}

void PixelCanvas::Set(int x, int y, std::uint32_t rgb) {
  if (x < 0 || y < 0 || x >= image_.width || y >= image_.height) return;
  image_.SetPixel(x, y, Opaque(rgb & 0xFFFFFF));
}

std::uint32_t PixelCanvas::Get(int x, int y) const {
  assert(x >= 0 && y >= 0 && x < image_.width && y < image_.height);
  return image_.Pixel(x, y) & 0xFFFFFF;
}

void PixelCanvas::Fill(int x, int y, int w, int h, std::uint32_t rgb) {
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) Set(i, j, rgb);
  }
}

void PixelCanvas::Frame(int x, int y, int w, int h, std::uint32_t rgb) {
  HLine(x, y, w, rgb);
  HLine(x, y + h - 1, w, rgb);
  VLine(x, y, h, rgb);
  VLine(x + w - 1, y, h, rgb);
}

void PixelCanvas::Line(int x0, int y0, int x1, int y1, std::uint32_t rgb) {
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    Set(x0, y0, rgb);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t) {
  const auto channel = [&](int shift) {
    const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    return std::uint32_t(std::lround(ca + (cb - ca) * t)) << shift;
  };
  return channel(16) | channel(8) | channel(0);
}

void PixelCanvas::VerticalGradient(int x, int y, int w, int h, std::uint32_t top, std::uint32_t bottom) {
  for (int j = 0; j < h; ++j) HLine(x, y + j, w, Mix(top, bottom, h > 1 ? double(j) / (h - 1) : 0.0));
}

namespace {

// Where pixel (i, j) of a w x h box lies against the rounded rectangle of radius r filling it:
// 0 outside, 1 on the one-pixel edge, 2 inside. The corner arcs are measured from pixel centres,
// with a small allowance so that small radii stay round rather than square.
int RoundRectZone(int i, int j, int w, int h, int rTop, int rBottom) {
  const int r = 2 * j < h ? rTop : rBottom;
  const double cx = i + 0.5, cy = j + 0.5;
  double dx = 0, dy = 0;
  if (cx < r) dx = r - cx;
  else if (cx > w - r) dx = cx - (w - r);
  if (cy < r) dy = r - cy;
  else if (cy > h - r) dy = cy - (h - r);
  if (dx > 0 && dy > 0) {
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d > r + 0.2) return 0;
    if (d > r - 0.9) return 1;
    return 2;
  }
  if (i == 0 || j == 0 || i == w - 1 || j == h - 1) return 1;
  return 2;
}

}  // namespace

void PixelCanvas::RoundRect(int x, int y, int w, int h, int rTop, int rBottom, std::uint32_t outline, std::uint32_t fill) {
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) {
      const int zone = RoundRectZone(i, j, w, h, rTop, rBottom);
      if (zone == 1 && outline != kNone) Set(x + i, y + j, outline);
      if (zone == 2 && fill != kNone) Set(x + i, y + j, fill);
      if (zone == 1 && outline == kNone && fill != kNone) Set(x + i, y + j, fill);
    }
  }
}

void PixelCanvas::Disc(int x, int y, int d, std::uint32_t outline, std::uint32_t fill, int ring) {
  const double c = d / 2.0;
  for (int j = 0; j < d; ++j) {
    for (int i = 0; i < d; ++i) {
      const double dist = std::hypot(i + 0.5 - c, j + 0.5 - c);
      if (dist > c + 0.15) continue;
      if (dist > c - ring - 0.1) {
        if (outline != kNone) Set(x + i, y + j, outline);
      } else if (fill != kNone) {
        Set(x + i, y + j, fill);
      }
    }
  }
}

void PixelCanvas::Pattern(int x, int y, const std::vector<const char*>& rows, std::uint32_t rgb) {
  for (std::size_t j = 0; j < rows.size(); ++j) {
    for (int i = 0; rows[j][i] != '\0'; ++i) {
      if (rows[j][i] == '#') Set(x + i, y + int(j), rgb);
    }
  }
}

PixelCanvas PixelCanvas::Crop(int x, int y, int w, int h) const {
  PixelCanvas out(w, h);
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) out.Set(i, j, Get(x + i, y + j));
  }
  return out;
}

void PixelCanvas::Draw(const PixelCanvas& source, int x, int y, bool keyed) {
  for (int j = 0; j < source.Height(); ++j) {
    for (int i = 0; i < source.Width(); ++i) {
      const std::uint32_t c = source.Get(i, j);
      if (!(keyed && c == kKey)) Set(x + i, y + j, c);
    }
  }
}

PixelCanvas JoinFrames(const std::vector<PixelCanvas>& frames, bool vertical) {
  assert(!frames.empty());
  const int w = frames.front().Width(), h = frames.front().Height();
  const int n = int(frames.size());
  PixelCanvas strip(vertical ? w : w * n, vertical ? h * n : h);
  for (int k = 0; k < n; ++k) {
    assert(frames[std::size_t(k)].Width() == w && frames[std::size_t(k)].Height() == h);
    strip.Draw(frames[std::size_t(k)], vertical ? 0 : k * w, vertical ? k * h : 0);
  }
  return strip;
}

}  // namespace bus::tools
