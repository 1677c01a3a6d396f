#include "framework/controls/MenuItemCanvas.h"

#include "framework/controls/Screen.h"

namespace bus {

TMenuItemCanvas::TMenuItemCanvas(HDC dc) : dc_(dc), before_(CreateRectRgn(0, 0, 0, 0)), canvas_(dc) {
  hadClip_ = before_ && GetClipRgn(dc_, before_.Get()) == 1;
  canvas_.SetFont(Screen().MenuFont());
}

TMenuItemCanvas::~TMenuItemCanvas() {
  GdiObject<HRGN> after(CreateRectRgn(0, 0, 0, 0));
  const bool hasClip = after && GetClipRgn(dc_, after.Get()) == 1;
  canvas_.SetHandle(nullptr);  // the DC's state as it was, the clipping included
  const bool changed = hasClip != hadClip_ || (hasClip && !EqualRgn(after.Get(), before_.Get()));
  if (changed) SelectClipRgn(dc_, hasClip ? after.Get() : nullptr);  // the region is copied
}

}  // namespace bus
