// Crisp pixel drawing on a BmpImage for the skin drawing program: rectangles, rounded rectangles
// and circles without anti-aliasing (skins key transparency on one exact colour), lines, gradients,
// and cutting and joining frames.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/BmpFile.h"

namespace bus::tools {

// Opaque colour from 0xRRGGBB.
constexpr std::uint32_t Opaque(std::uint32_t rgb) { return 0xFF000000u | rgb; }
inline constexpr std::uint32_t kKey = 0xFF00FF;  // the colour skins treat as transparent

class PixelCanvas {
public:
  PixelCanvas(int width, int height, std::uint32_t fill = kKey);
  explicit PixelCanvas(BmpImage image) : image_(std::move(image)) {}

  int Width() const noexcept { return image_.width; }
  int Height() const noexcept { return image_.height; }
  const BmpImage& Image() const noexcept { return image_; }
  BmpImage& Image() noexcept { return image_; }

  // Pixels outside the canvas are ignored.
  void Set(int x, int y, std::uint32_t rgb);
  std::uint32_t Get(int x, int y) const;
  void Fill(int x, int y, int w, int h, std::uint32_t rgb);
  void HLine(int x, int y, int w, std::uint32_t rgb) { Fill(x, y, w, 1, rgb); }
  void VLine(int x, int y, int h, std::uint32_t rgb) { Fill(x, y, 1, h, rgb); }
  // One-pixel rectangle outline.
  void Frame(int x, int y, int w, int h, std::uint32_t rgb);
  // Straight line from (x0, y0) to (x1, y1), both ends included.
  void Line(int x0, int y0, int x1, int y1, std::uint32_t rgb);
  // Rows from y to y + h - 1 blend from `top` to `bottom` (both ends reached).
  void VerticalGradient(int x, int y, int w, int h, std::uint32_t top, std::uint32_t bottom);

  // A rounded rectangle of corner radius r: `outline` on its one-pixel edge (skipped when it is
  // kNone), `fill` inside (skipped when kNone). Pixels of the box outside the shape stay as they are.
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
  void RoundRect(int x, int y, int w, int h, int r, std::uint32_t outline, std::uint32_t fill) {
    RoundRect(x, y, w, h, r, r, outline, fill);
  }
  // The same with radius rTop at the two top corners and rBottom at the two bottom ones.
  void RoundRect(int x, int y, int w, int h, int rTop, int rBottom, std::uint32_t outline, std::uint32_t fill);
  // A disc of diameter d at (x, y) (top-left of its box) with a `ring`-pixel edge in `outline`.
  void Disc(int x, int y, int d, std::uint32_t outline, std::uint32_t fill, int ring = 1);
  // Pixels of a pattern: each '#' of the rows is set at (x + column, y + row).
  void Pattern(int x, int y, const std::vector<const char*>& rows, std::uint32_t rgb);

  // Copies the part (x, y, w, h) out.
  PixelCanvas Crop(int x, int y, int w, int h) const;
  // Draws source at (x, y); with `keyed`, source pixels of kKey are skipped.
  void Draw(const PixelCanvas& source, int x, int y, bool keyed = false);

private:
  BmpImage image_;  // the pixels
};

// Frames side by side (horizontal strip) or one above the other; all must share one size.
PixelCanvas JoinFrames(const std::vector<PixelCanvas>& frames, bool vertical = false);

// Linear blend of two colours, t from 0 (a) to 1 (b).
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t);

}  // namespace bus::tools
