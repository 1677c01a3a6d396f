// TSkinSpeedButton: the wrapper of window-less speed buttons, which get their paint and mouse
// messages through their handler from the parent. It paints the button on the DC the parent gives
// (or, between paints, on the control's canvas): the Buttons frame of its state (a flat button in
// the normal state shows only the face), the glyph and the caption. The press and the click stay
// the speed button's own; the wrapper follows them to draw the button pressed, and follows the
// mouse to draw it hot. A button that is Down is drawn pressed, also when disabled.
#pragma once

#include "skin/control/SkinBitButton.h"

namespace bus {

class TCanvas;
class TSkinData;
class TSkinWrapperHost;

class TSkinSpeedButton : public TSkinBitButton {
  BUS_CLASS(TSkinSpeedButton)
public:
  using TSkinBitButton::TSkinBitButton;
  // Attaches to the owner, a window-less control.
  void AttachGraphic(TSkinWrapperHost* form, TSkinData* skin, TCanvas* canvas) {
    TSkinControl::AttachGraphic(form, skin, canvas);
  }

  bool BeforeDefault(TMessage& m) override;
  void AfterDefault(TMessage& m) override;
  // Paints now on the control's canvas, over its client rectangle; dc is not used.
  void PaintWindow(HDC dc) override;
  // Draws the button into dc at rect (the control's client rectangle there); nothing when the skin
  // has no Buttons image.
  void PaintSpeedButton(HDC dc, const RECT& rect);

protected:
  bool EnabledNow() const override;
};

}  // namespace bus
