// A skin of BusSearch as skindraw makes it: every bitmap its descriptor names, drawn in code from a
// style's palette and shapes, and the descriptor itself. The layout of each image follows how the
// skin engine cuts it: frame counts, margins and which colour is transparent.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/skindraw/PixelCanvas.h"
#include "tools/skindraw/SkinStyle.h"

namespace bus::tools {

struct DrawnSkin {
  std::string descriptorName;                               // the descriptor's member name
  std::string descriptor;                                   // its text, CR LF line ends
  std::vector<std::pair<std::string, PixelCanvas>> images;  // member name and picture, in member order
};

DrawnSkin DrawSkin(const SkinStyle& style);

}  // namespace bus::tools
