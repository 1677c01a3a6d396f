// TSkinUpDown: the wrapper of spin buttons: the program's up-down controls (AttachControl) and the
// spin button found inside an edit box or a time picker (AttachWindow, created by the edit's
// wrapper with Inset). It paints the whole control itself: two buttons from the skin's UpDown.Vert
// strip (stacked) or UpDown.Horz strip (side by side), each with its arrow from the strip's glyph
// image, composed off screen. Without those objects it draws plain buttons with line-drawn arrows
// in the skin's colours.
//
// Strip frames: 1 to 4 the first button (up or left) normal, pressed, disabled, hot; 5 to 8 the
// second (down or right). A disabled control shows both disabled; while the left mouse button is
// down on the control the half under the cursor shows pressed.
//
// The control keeps its behaviour: the presses, their repeat and the buddy's value stay the
// control's own processing; the wrapper follows the pressed state and repaints.
#pragma once

#include <memory>

#include "skin/control/SkinControl.h"

namespace bus {

class TBitmap;

// Which button of a spin control.
enum class TSpinButton { Up = 0, Down = 1, Left = 2, Right = 3 };

// The frame states of a spin button (the strip's frame for the first button).
inline constexpr int kSpinNormal = 1;
inline constexpr int kSpinPressed = 2;
inline constexpr int kSpinDisabled = 3;
inline constexpr int kSpinHot = 4;

class TSkinUpDown : public TSkinControl {
  BUS_CLASS(TSkinUpDown)
public:
  explicit TSkinUpDown(TComponent* owner);
  ~TSkinUpDown() override;

  // WM_PAINT is answered whole and WM_ERASEBKGND without erasing (the paint covers every pixel); a
  // left press or release runs the control's own processing first, then the wrapper takes the
  // pressed state and repaints.
  bool BeforeDefault(TMessage& m) override;
  // Both buttons over a ButtonFace background, composed off screen and copied to rect's top-left.
  void PaintTo(HDC dc, const RECT& rect) override;

  // Frame `state` (kSpin...) of button `button` from the skin object `strip` (UpDown.Vert or
  // UpDown.Horz) stretched to rect, magenta transparent, with the glyph strip's frame of the same
  // number centred at its own size.
  void DrawSpinButton(HDC dc, const RECT& rect, TSpinButton button, int state) const;
  // A button without skin images: a ButtonFace (normal, disabled) or ButtonShadow (pressed, hot)
  // rectangle edged in ButtonDkShadow, with a small arrow pointing the button's way.
  void DrawPlainSpinButton(HDC dc, const RECT& rect, TSpinButton button, int state) const;

  // Draw the buttons one pixel inside the client rectangle (a spin button inside an edit box).
  bool Inset() const noexcept { return inset_; }
  void SetInset(bool v) noexcept { inset_ = v; }
  // Buttons side by side even without UDS_HORZ.
  bool Horizontal() const noexcept { return horizontal_; }
  void SetHorizontal(bool v) noexcept { horizontal_ = v; }

private:
  void SetPressed(bool pressed);

  bool inset_ = false;                // buttons one pixel inside the client rectangle
  bool horizontal_ = false;           // side by side whatever the style says
  std::unique_ptr<TBitmap> buffer_;   // the off-screen picture of the control
};

}  // namespace bus
