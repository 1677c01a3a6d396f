// A picture of a skin at work, for looking at it: windows (active and inactive) and
// controls composed from the skin's images the way the skin engine cuts and stretches them, with the
// window region's cut-outs shown over a desktop colour, and every image of the skin below.
#pragma once

#include "tools/skindraw/DrawnSkin.h"

namespace bus::tools {

PixelCanvas DrawSkinPreview(const DrawnSkin& skin);

}  // namespace bus::tools
