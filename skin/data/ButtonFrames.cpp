#include "skin/data/ButtonFrames.h"

namespace bus {

int PushButtonFrame(const TButtonLook& look) noexcept {
  if (!look.enabled) return kButtonDisabled;
  if (look.pressed) return kButtonPressed;
  if (look.hot) return kButtonHot;
  if (look.isDefault) return kButtonDefault;
  if (look.focused) return kButtonHot;
  return kButtonNormal;
}

int GlyphButtonFrame(const TButtonLook& look) noexcept {
  if (!look.enabled) return kButtonDisabled;
  if (look.pressed) return kButtonPressed;
  if (look.hot || look.focused) return kButtonHot;
  if (look.isDefault) return kButtonDefault;
  return kButtonNormal;
}

int SpeedButtonFrame(bool down, bool enabled, bool pressed, bool hot) noexcept {
  if (down) return kButtonPressed;
  if (!enabled) return kButtonDisabled;
  if (pressed) return kButtonPressed;
  if (hot) return kButtonHot;
  return kButtonNormal;
}

int GlyphStateFrame(int buttonFrame) noexcept {
  switch (buttonFrame) {
    case kButtonPressed: return 3;
    case kButtonDisabled: return 2;
    default: return 1;
  }
}

int GlyphFrameShown(int numGlyphs, int glyphStateFrame) noexcept { return numGlyphs == 4 ? glyphStateFrame : 1; }

int CheckBoxFrame(TCheckMark mark, bool enabled, int frameCount) noexcept {
  if (frameCount == 12) {
    // four looks (normal, hot, pressed, disabled) of each mark; the wrappers use normal and disabled
    const int first = mark == TCheckMark::unchecked ? 1 : mark == TCheckMark::checked ? 5 : 9;
    return enabled ? first : first + 3;
  }
  if (mark == TCheckMark::mixed) return 4;
  const int frame = mark == TCheckMark::checked ? 2 : 1;
  return enabled ? frame : frame + 2;
}

int RadioButtonFrame(bool checked, bool enabled, int frameCount) noexcept {
  if (frameCount == 8) {
    const int first = checked ? 5 : 1;
    return enabled ? first : first + 3;
  }
  const int frame = checked ? 2 : 1;
  return enabled ? frame : frame + 2;
}

namespace {

// The frame's rows, centred in the control's height (offset truncated toward zero).
TSkinRect Centred(const TSkinRect& control, int left, int w, int h) noexcept {
  const int top = control.top + (control.Height() - h) / 2;
  return {left, top, left + w, top + h};
}

// The control's own box lies in the 16 (left) or 18 (right) columns at that side.
TSkinRect ClearArea(const TSkinRect& control, bool boxRight) noexcept {
  return boxRight ? TSkinRect{control.right - 18, control.top, control.right, control.bottom}
                  : TSkinRect{control.left, control.top, control.left + 16, control.bottom};
}

}  // namespace

TBoxPlacement CheckBoxPlacement(const TSkinRect& control, int w, int h, bool boxRight) noexcept {
  int left = 0;
  if (boxRight) left = (w > 15 ? control.right - 1 : control.right - (15 - w) / 2) - w;
  else left = w > 14 ? control.left + 2 : control.left + (14 - w) / 2 + 1;
  return {Centred(control, left, w, h), ClearArea(control, boxRight)};
}

TBoxPlacement RadioButtonPlacement(const TSkinRect& control, int w, int h, bool boxRight) noexcept {
  int left = 0;
  if (boxRight) left = (w > 14 ? control.right - 1 : control.right - (14 - w) / 2) - w;
  else left = w > 14 ? control.left : control.left + (14 - w) / 2;
  return {Centred(control, left, w, h), ClearArea(control, boxRight)};
}

}  // namespace bus
