// Any bytes as a BMP file: decoding either gives an image of consistent size or raises the bitmap
// loader's error, and a decoded image written at 32 bits reads back to exactly the same pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/BmpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  bus::BmpImage image;
  try {
    image = bus::DecodeBmp({data, size});
  } catch (const bus::EInvalidGraphic&) {
    return 0;
  }
  if (image.pixels.size() != std::size_t(image.width) * std::size_t(image.height) * 4) std::abort();
  // run-length files can declare large images in a few bytes; round-trip only the small ones
  if (image.pixels.size() > (std::size_t(1) << 20)) return 0;
  const bus::BmpImage again = bus::DecodeBmp(bus::EncodeBmp(image, 32));
  if (again.width != image.width || again.height != image.height || again.pixels != image.pixels) std::abort();
  const bus::BmpImage opaque = bus::DecodeBmp(bus::EncodeBmp(image, 24));
  for (std::size_t i = 0; i < image.pixels.size(); ++i)
    if (opaque.pixels[i] != ((i % 4 == 3) ? 255 : image.pixels[i])) std::abort();
  return 0;
}
