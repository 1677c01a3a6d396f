// A portable 32-bit image: width x height pixels 0x00RRGGBB, rows top to bottom. The bitmap filters
// work on it, and the skin tools draw into it.
#pragma once

#include <cassert>
#include <cstdint>
#include <vector>

namespace bus {

// Colour 0x00RRGGBB from its parts.
constexpr std::uint32_t Rgb(unsigned r, unsigned g, unsigned b) { return (r & 0xFF) << 16 | (g & 0xFF) << 8 | (b & 0xFF); }
inline constexpr std::uint32_t kMagenta = 0xFF00FF;

class PixelImage {
public:
  PixelImage() = default;
  PixelImage(int width, int height, std::uint32_t fill = 0) { Resize(width, height, fill); }

  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  bool Empty() const noexcept { return width_ == 0 || height_ == 0; }
  // Every pixel's colour is replaced by fill.
  void Resize(int width, int height, std::uint32_t fill = 0) {
    assert(width >= 0 && height >= 0);
    width_ = width;
    height_ = height;
    pixels_.assign(std::size_t(width) * std::size_t(height), fill);
  }

  std::uint32_t At(int x, int y) const {
    assert(x >= 0 && x < width_ && y >= 0 && y < height_);
    return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
  }
  void Set(int x, int y, std::uint32_t colour) {
    assert(x >= 0 && x < width_ && y >= 0 && y < height_);
    pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = colour;
  }
  // Row y (Width() pixels).
  std::uint32_t* Row(int y) { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
  const std::uint32_t* Row(int y) const { return pixels_.data() + std::size_t(y) * std::size_t(width_); }

  const std::vector<std::uint32_t>& Pixels() const noexcept { return pixels_; }
  bool operator==(const PixelImage&) const = default;

private:
  int width_ = 0;                      // pixels per row
  int height_ = 0;                     // rows
  std::vector<std::uint32_t> pixels_;  // row-major, top row first
};

}  // namespace bus
