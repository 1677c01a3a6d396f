// TSkinSizer: the wrapper of the scroll bar windows that dialogs use as size boxes and size grips.
// It paints the whole window itself in the skin's face colour; a size grip (SBS_SIZEGRIP) also
// shows the skin's grip image in its bottom-right corner. Dragging stays the window's own.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinData;

class TSkinSizer : public TSkinControl {
  BUS_CLASS(TSkinSizer)
public:
  using TSkinControl::TSkinControl;
  // WM_PAINT is answered by PaintTo alone; the background is not erased first.
  bool BeforeDefault(TMessage& m) override;
  void PaintTo(HDC dc, const RECT& rect) override;
};

// The skin's size grip, frame 5 of ExtraImages at its own size, into the bottom-right corner of
// area one pixel in from its edges, magenta transparent. Nothing when the skin has no ExtraImages.
void DrawSkinSizeGrip(HDC dc, const RECT& area, const TSkinData& skin);

}  // namespace bus
