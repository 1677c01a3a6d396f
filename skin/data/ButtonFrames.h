// Which frame of the skin's button strips shows a button, a check box or a radio button in a given
// state, and where a check box's box and a radio button's circle sit in the control. The skinned
// button wrappers draw by these rules; portable, so the rules are tested without a window.
//
// Frames are numbered from 1, as the skin drawing routines count them.
#pragma once

#include "skin/data/NineSlice.h"

namespace bus {

// The frames of the Buttons strip (5 frames).
inline constexpr int kButtonFrameCount = 5;
inline constexpr int kButtonNormal = 1;
inline constexpr int kButtonPressed = 2;
inline constexpr int kButtonDisabled = 3;
inline constexpr int kButtonHot = 4;  // also the focused look
inline constexpr int kButtonDefault = 5;

// What a push or glyph button shows.
struct TButtonLook {
  bool enabled = true;     // the window is not disabled
  bool pressed = false;    // held down by the mouse or by Space
  bool hot = false;        // the mouse is over it
  bool focused = false;    // it has the keyboard focus
  bool isDefault = false;  // the default button of its form or dialog
};

// A push button: disabled, pressed, hot, default, focused (the hot look), normal; the first that
// holds decides. A focused default button therefore shows the default frame.
int PushButtonFrame(const TButtonLook& look) noexcept;
// A glyph button: as a push button, but focus wins over default.
int GlyphButtonFrame(const TButtonLook& look) noexcept;
// A speed button: down (stays pressed, even when disabled), disabled, pressed, hot, normal.
int SpeedButtonFrame(bool down, bool enabled, bool pressed, bool hot) noexcept;
// A flat speed button shows the skin's frame only when it is not in the normal state.
inline bool SpeedButtonShowsFrame(bool flat, int frame) noexcept { return !flat || frame != kButtonNormal; }

// The frame of a button's glyph strip (up 1, disabled 2, clicked 3, down 4) for the Buttons frame
// the button shows: pressed → clicked, disabled → disabled, anything else → up.
int GlyphStateFrame(int buttonFrame) noexcept;
// The frame drawn of a strip of numGlyphs glyphs: only a strip of exactly 4 has a frame for every
// state; any other strip shows its first frame (greyed when disabled).
int GlyphFrameShown(int numGlyphs, int glyphStateFrame) noexcept;

// The check state of a check box.
enum class TCheckMark { unchecked, checked, mixed };

// The frame of the check-box strip. A strip of 12 frames holds unchecked, checked and mixed, each
// as normal, hot, pressed and disabled; any other strip holds unchecked, checked, unchecked
// disabled and checked disabled, and shows a mixed box as checked disabled.
int CheckBoxFrame(TCheckMark mark, bool enabled, int frameCount) noexcept;
// The frame of the radio strip. A strip of 8 frames holds unchecked and checked, each as normal,
// hot, pressed and disabled; any other strip holds unchecked, checked, unchecked disabled and
// checked disabled.
int RadioButtonFrame(bool checked, bool enabled, int frameCount) noexcept;

// Where the skin draws a check box's box or a radio button's circle in the control's rectangle:
// box, the frame's own size (w × h) centred vertically; clear, the area of the control's own box
// that is cleared first (the control's full height).
struct TBoxPlacement {
  TSkinRect box;    // where the frame is drawn
  TSkinRect clear;  // cleared with the parent's colour before
};
// boxRight: the box is right of the caption (the control's text is on the left).
TBoxPlacement CheckBoxPlacement(const TSkinRect& control, int w, int h, bool boxRight) noexcept;
TBoxPlacement RadioButtonPlacement(const TSkinRect& control, int w, int h, bool boxRight) noexcept;

}  // namespace bus
