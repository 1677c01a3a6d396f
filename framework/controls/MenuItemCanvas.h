// TMenuItemCanvas: the canvas an owner-drawn menu item is drawn with, on the DC the platform passes
// with WM_DRAWITEM, its font the menu font. The canvas puts the DC's state back when it lets the DC
// go, except for the clipping: a part of the item that its drawing clipped out of the DC stays
// clipped, so that what the platform draws after the item (the arrow of an item that opens a
// sub-menu) leaves the item's own drawing there alone.
#pragma once

#include <windows.h>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandles.h"

namespace bus {

class TMenuItemCanvas {
public:
  explicit TMenuItemCanvas(HDC dc);
  ~TMenuItemCanvas();
  TMenuItemCanvas(const TMenuItemCanvas&) = delete;
  TMenuItemCanvas& operator=(const TMenuItemCanvas&) = delete;

  TCanvas& Canvas() noexcept { return canvas_; }

private:
  HDC dc_;                   // the platform's, not owned
  GdiObject<HRGN> before_;   // the DC's clipping when the canvas took it (valid when hadClip_)
  bool hadClip_ = false;     // the DC had a clipping region then
  TCanvas canvas_;           // on dc_ while this lives
};

}  // namespace bus
