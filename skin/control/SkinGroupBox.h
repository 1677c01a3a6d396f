// TSkinGroupBox: the wrapper of group boxes and radio groups. Over the box's own painting (its
// colour is already ButtonFace) it erases the box's frame and draws a rounded one-pixel line in
// ButtonShadow, half the caption's height down, with the caption on the face colour 9 pixels in
// from the left. Both are composed off screen and reach the window in one transfer.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinGroupBox : public TSkinControl {
  BUS_CLASS(TSkinGroupBox)
public:
  using TSkinControl::TSkinControl;
  // WM_PAINT: the box's own painting with the skin's frame and caption over it; WM_ERASEBKGND:
  // nothing on the screen, the background is part of that picture.
  bool BeforeDefault(TMessage& m) override;
  void PaintTo(HDC dc, const RECT& rect) override;
};

}  // namespace bus
