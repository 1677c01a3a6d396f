// Skin images fitted by margins, frame numbers and sizes as any skin file could give them, and the
// combo-box strip composed from them: never a read or write outside an image, never an overflow.
#include <cstddef>
#include <cstdint>
#include <algorithm>
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

  // the same image read as 24-bit rows, any part of a rendering, the border bands, tiles, the
  // opaque blocks of the result
  const bus::PixelView rows{image.pixels.data(), image.width, image.height, std::ptrdiff_t(image.width) * 3, 3};
  const bus::TSkinRect part{in.Int() % 400, in.Int() % 400, in.Int() % 400, in.Int() % 400};
  if (!part.Empty()) {
    bus::BmpImage piece(std::min(part.Width(), 300), std::min(part.Height(), 300));
    bus::RenderSkinPart(rows, w, h, part, m, vertical, tile, frames, frame, in.Int() & 1, bus::TargetOf(piece));
  }
  for (const bus::TSkinRect band : bus::SkinBorderBands(w, h, m)) {
    if (band.left < 0 || band.top < 0 || band.right > w || band.bottom > h) __builtin_trap();
  }
  (void)bus::RenderTiles(bus::ViewOf(image), {in.Int() % 100, in.Int() % 100, in.Int() % 100, in.Int() % 100}, w, h);
  (void)bus::OpaqueBlocks(bus::ViewOf(out), std::uint32_t(in.Int()) & 0xFFFFFF, std::size_t(in.Small(100)));

  const bus::BmpImage extra = Image(in);
  const bus::TSkinStrip sunk{&image, in.Small(12) - 2, m, true, tile};
  const bus::TSkinStrip combo{&out, in.Int(), {in.Int(), in.Int(), in.Int(), in.Int()}, true, !tile};
  const bus::TSkinStrip glyph{&extra, in.Int(), {}, true, false};
  (void)bus::BuildComboStrip(sunk, combo, &glyph, in.Small(60));
  return 0;
}
