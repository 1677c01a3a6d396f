// TSkinProgress: the wrapper of progress bars. With a Progress image in the skin it paints the
// whole bar itself: on the face colour, frame 1 of the image (the empty bar) over the whole bar and
// frame 2 (the filled bar) over the part the position has reached between the bar's limits; a
// skin of Style 1 shows the whole image with Chunk images side by side over the reached part
// instead. A vertical bar is drawn lying and turned, so it fills from the bottom. The picture is
// composed off screen and copied in one transfer. Without the image the bar paints as it would.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinProgress : public TSkinControl {
  BUS_CLASS(TSkinProgress)
public:
  using TSkinControl::TSkinControl;
  // With a Progress image: WM_PAINT is answered by PaintTo alone, WM_ERASEBKGND with nothing.
  bool BeforeDefault(TMessage& m) override;
  void PaintTo(HDC dc, const RECT& rect) override;
  // The part of a bar `length` pixels long that the position has reached (0 at or below the
  // minimum, length at or above the maximum).
  int ReachedLength(int length) const;

private:
  // Style 1: the whole image as one frame and chunks side by side over the reached part of the
  // lying picture `bar` (false without a Chunk image).
  bool PaintChunks(HDC dc, const RECT& bar);
  bool HasImage() const;
};

}  // namespace bus
