// Any bytes as an icon file: checking either accepts images that lie wholly within the bytes (with
// every DIB image's rows present) or raises the bitmap loader's error; written icons read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/IconFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<bus::IconFileImage> images;
  try {
    images = bus::ReadIconFile({data, size});
  } catch (const bus::EInvalidGraphic&) {
    return 0;
  }
  if (images.empty()) std::abort();
  for (const bus::IconFileImage& image : images)
    if (image.offset > size || image.size > size - image.offset) std::abort();
  (void)images[bus::ChooseIconImage(images, 32)];
  // the first DIB image's size, written as an icon, reads back as one image of that size
  for (const bus::IconFileImage& image : images) {
    if (image.png || image.width > 256 || image.height > 256) continue;
    const auto file = bus::EncodeIconFile(bus::BmpImage(image.width, image.height));
    const auto again = bus::ReadIconFile(file);
    if (again.size() != 1 || again[0].width != image.width || again[0].height != image.height) std::abort();
    break;
  }
  return 0;
}
