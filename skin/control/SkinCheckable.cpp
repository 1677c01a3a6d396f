#include "skin/control/SkinCheckable.h"

#include "framework/Properties.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/BufferedPaint.h"
#include "skin/control/SkinDrawing.h"
#include "skin/data/SkinData.h"

namespace bus {

const TClassInfo& TSkinCheckable::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSkinCheckable>("TSkinCheckable", TSkinControl::StaticClassInfo()).Build();
  return info;
}

TSkinCheckable::TSkinCheckable(TComponent* owner) : TSkinControl(owner), boxBuffer_(std::make_unique<TBitmap>()) {}

TSkinCheckable::~TSkinCheckable() = default;

bool TSkinCheckable::BeforeDefault(TMessage& m) {
  if (m.Msg != WM_PAINT) return TSkinControl::BeforeDefault(m);
  PaintOverDefault(m);
  return false;
}

void TSkinCheckable::AfterDefault(TMessage& m) {
  switch (m.Msg) {
    case BM_SETCHECK:
    case BM_SETSTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE:
    case CM_ENABLEDCHANGED:
    case CM_EXIT:
    case kSkinMsgRepaintCheck:
      // the platform's button may have drawn its own box just now
      PaintWindow(nullptr);
      break;
    case WM_SETTEXT:
      TSkinControl::AfterDefault(m);
      PaintWindow(nullptr);
      break;
    default:
      TSkinControl::AfterDefault(m);
      break;
  }
}

bool TSkinCheckable::DisabledNow() const { return (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_DISABLED) != 0; }

bool TSkinCheckable::BoxRight() const { return (GetWindowLongPtrW(Handle(), GWL_STYLE) & BS_LEFTTEXT) != 0; }

void TSkinCheckable::PaintTo(HDC dc, const RECT& rect) {
  const TDataSkinButton* buttons = SkinData() ? SkinData()->Buttons() : nullptr;
  if (!buttons) return;
  const TBox box = BoxOf(*buttons, {rect.left, rect.top, rect.right, rect.bottom});
  if (!box.strip || box.strip->Empty() || box.frameCount < 1) return;  // the control's own box stays
  const TSkinRect& c = box.place.clear;
  const RECT clear{c.left, c.top, c.right, c.bottom};
  const TSkinRect& b = box.place.box;
  const auto draw = [&](HDC target, const RECT& r) {
    FillParentColor(target, r);
    const int dx = r.left - clear.left, dy = r.top - clear.top;  // where the clear area's origin went
    DrawSkinFrameTransparent(target, RECT{b.left + dx, b.top + dy, b.right + dx, b.bottom + dy}, box.frameCount,
                             box.frame, *box.strip);
  };
  if (b.left >= c.left && b.top >= c.top && b.right <= c.right && b.bottom <= c.bottom) {
    PaintBuffered(*boxBuffer_, dc, clear, draw);
  } else {
    // a frame larger than the cleared square reaches over the caption: drawn in place, uncut
    const SavedDCState state(dc);
    draw(dc, clear);
  }
}

}  // namespace bus
