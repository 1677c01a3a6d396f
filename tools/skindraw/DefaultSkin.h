// BusSearch's own skin: every bitmap its descriptor names, drawn in code from one palette, and the
// descriptor itself. The layout of each image follows how the skin engine cuts it: frame counts,
// margins and which colour is transparent.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/skindraw/PixelCanvas.h"

namespace bus::tools {

struct DrawnSkin {
  std::string descriptorName;                               // the descriptor's member name
  std::string descriptor;                                   // its text, CR LF line ends
  std::vector<std::pair<std::string, PixelCanvas>> images;  // member name and picture, in member order
};

DrawnSkin DrawDefaultSkin();

}  // namespace bus::tools
