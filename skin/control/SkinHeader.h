// TSkinHeader: the wrapper of header windows (a report list view's header gets one from the list
// view's wrapper). With a Headerbar image in the skin it paints the whole header itself: frame 1 of
// Headerbar under each section with the section's image and text (left, centred or right as the
// section says, in Headerbar's NormalColour2), and the same frame over the remainder right of the
// last section. The picture is composed off screen and copied in one transfer; sizing and clicking
// the sections stay the header's own. Without the image the header paints as it would.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinHeader : public TSkinControl {
  BUS_CLASS(TSkinHeader)
public:
  using TSkinControl::TSkinControl;
  // With a Headerbar image: WM_PAINT is answered by PaintTo alone, WM_ERASEBKGND with nothing.
  bool BeforeDefault(TMessage& m) override;
  void PaintTo(HDC dc, const RECT& rect) override;
  // Section index over rect: frame 1 of Headerbar, then its image and text.
  void DrawHeaderItem(HIMAGELIST images, TCanvas& canvas, int index, const RECT& rect);

private:
  bool HasImage() const;
};

}  // namespace bus
