#include "skin/data/SkinObjects.h"

namespace bus {

void TDataSkinObject::SetMargins(TSkinMargins m) noexcept {
  leftWidth_ = m.left;
  topHeight_ = m.top;
  rightWidth_ = m.right;
  bottomHeight_ = m.bottom;
}

TSkinStrip StripOf(const TDataSkinObject& object, const BmpImage& pixels) {
  TSkinStrip strip;
  strip.image = &pixels;
  strip.frames = object.Frame();
  strip.margins = object.Margins();
  strip.transparent = object.Trans() == 1;
  strip.tile = object.Tile() == 1;
  return strip;
}

}  // namespace bus
