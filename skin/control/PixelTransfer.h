// Pixel rows into device contexts: where skin drawing meets GDI. The skin images are rendered on
// pixel rows by the portable rule (skin/data/NineSlice.h); these copy the result into a device
// context one pixel for one, so what lands there is exactly what the rule rendered, and nothing is
// stretched or colour-matched by GDI.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "framework/graphics/Bitmap.h"
#include "skin/data/PixelView.h"

namespace bus {

// The rows of a bitmap, read in place (GDI drawing still pending on it is finished first); an
// empty view for an empty bitmap. Valid while the bitmap keeps its size and format.
PixelView ViewOf(const TBitmap& bitmap);

// Copies `pixels` to dc with their top-left corner at (x, y) (logical coordinates), one pixel for
// one, cut by the DC's clipping. With a key (0xRRGGBB), pixels of that colour leave the DC as it
// was: the image's other pixels go to the DC as a few rectangles, or, for an image with many holes,
// are laid over the DC's pixels read back into memory; either way the key is matched exactly on
// the image's own pixels. False when GDI refused a step (the DC may then have part of the image).
// Nothing stays selected into any DC, and every object made here is freed.
bool PutPixels(HDC dc, int x, int y, const PixelView& pixels, std::optional<std::uint32_t> key = std::nullopt);

}  // namespace bus
