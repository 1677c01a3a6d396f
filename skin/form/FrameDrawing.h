// Drawing routines of the window frame painting, beside the skin image routines of the controls:
// the caption text's background band (also the menu bar's), and the window region cut out of a
// border picture's transparent pixels.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/data/NineSlice.h"
#include "skin/data/PixelView.h"

namespace bus {

// A three-part band from one frame of `image` (frames side by side, or stacked when vertical) drawn
// to rect: its ends kept, its middle repeated, every part stretched to rect's height (RenderSkinBand);
// with `transparent`, magenta shows what was below. Nothing for a rect of negative width or height.
void DrawSkinBand(HDC dc, const RECT& rect, const TBitmap& image, bool vertical, bool transparent, int frameCount,
                  int frame, TSkinMargins margins);

// The region of the pixels of `bitmap` whose colour is not `key` (0xRRGGBB), moved by (x, y): the
// part of a window a border picture shows. Exactly the pixels a transparent drawing of the picture
// leaves as they were are left out. An empty region when every pixel has the key; null only when
// the platform could not make a region.
GdiObject<HRGN> RegionFromBitmap(const TBitmap& bitmap, int x, int y, std::uint32_t key = kSkinTransparent);
// The same for pixels of any origin (a part of a bitmap's rows).
GdiObject<HRGN> RegionFromPixels(const PixelView& pixels, int x, int y, std::uint32_t key = kSkinTransparent);

}  // namespace bus
