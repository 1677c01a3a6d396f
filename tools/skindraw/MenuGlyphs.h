// The window-button glyphs a skinned menu bar shows for a maximised MDI child: four 16 × 16 black
// glyphs on white side by side (restore, maximise, minimise, close), as a one-bit-per-pixel BMP
// file. The build compiles it into the program as the bitmap resource the skin data loads.
#pragma once

#include <cstdint>
#include <vector>

namespace bus::tools {

inline constexpr int kMenuGlyphSize = 16;
inline constexpr int kMenuGlyphCount = 4;

// The glyph strip as a BMP file of 64 × 16 pixels, 1 bit per pixel (palette: 0 black, 1 white).
std::vector<std::uint8_t> DrawMenuGlyphs();

}  // namespace bus::tools
