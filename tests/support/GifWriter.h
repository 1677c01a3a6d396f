// Writes small GIF files for the banner tests: a global palette, frames with position, delay,
// disposal and a transparent index, and an optional loop count. The image data is LZW-coded with
// literal codes only (a clear code every 250 pixels keeps the code width at 9 bits), which every
// decoder reads.
#pragma once

#include <cstdint>
#include <vector>

namespace bus::test {

struct GifFrame {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> indices;  // width × height palette indices, rows top-down
  int delayCentiseconds = 10;
  int disposal = 1;                   // 0 unspecified, 1 keep, 2 background, 3 previous
  int transparentIndex = -1;          // -1: none
};

// palette: 0xRRGGBB entries (at most 256). loopCount < 0 writes no loop extension.
std::vector<std::uint8_t> WriteGif(int width, int height, const std::vector<std::uint32_t>& palette,
                                   const std::vector<GifFrame>& frames, int loopCount = 0);

// A frame of one colour index covering (left, top, width, height).
GifFrame SolidFrame(int left, int top, int width, int height, std::uint8_t index, int delayCentiseconds = 10,
                    int disposal = 1);

}  // namespace bus::test
