// Skin images fitted by margins, frame numbers and sizes as any skin file could give them, and the
// combo-box strip composed from them: never a read or write outside an image, never an overflow.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "skin/data/NineSlice.h"

namespace {

struct Reader {
  const std::uint8_t* p;
  std::size_t n;
  std::int32_t Int() {
    std::int32_t v = 0;
    if (n >= 4) {
      std::memcpy(&v, p, 4);
      p += 4;
      n -= 4;
    }
    return v;
  }
  int Small(int limit) { return int(std::uint32_t(Int()) % std::uint32_t(limit)); }
};

bus::BmpImage Image(Reader& in) {
  bus::BmpImage image(in.Small(80), in.Small(40));
  for (std::size_t i = 0; i < image.pixels.size() && in.n > 0; ++i, ++in.p, --in.n) image.pixels[i] = *in.p;
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Reader in{data, size};
  const bus::TSkinMargins m{in.Int(), in.Int(), in.Int(), in.Int()};
  const int frames = in.Int(), frame = in.Int(), w = in.Small(300), h = in.Small(300);
  const bool vertical = in.Int() & 1, tile = in.Int() & 1;
  const bus::BmpImage image = Image(in);
  bus::BmpImage out = bus::RenderSkinImage(image, w, h, m, vertical, tile, frames, frame);
  bus::DrawImage(out, in.Int(), in.Int(), image, true);
  bus::FillImageRect(out, {in.Int(), in.Int(), in.Int(), in.Int()}, 0xFF00FF);

  const bus::BmpImage extra = Image(in);
  const bus::TSkinStrip sunk{&image, in.Small(12) - 2, m, true, tile};
  const bus::TSkinStrip combo{&out, in.Int(), {in.Int(), in.Int(), in.Int(), in.Int()}, true, !tile};
  const bus::TSkinStrip glyph{&extra, in.Int(), {}, true, false};
  (void)bus::BuildComboStrip(sunk, combo, &glyph, in.Small(60));
  return 0;
}
