// TSkinObjImage: the wrapper of controls of foreign classes that draw their check marks from a
// bitmap of their own (a CustomGlyphs property with UseCustomGlyphs and TransparentColor). With
// Mode 1 it hands them the skin's check-box images as that bitmap; it replaces no handler and draws
// nothing itself.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TCanvas;
class TSkinData;
class TSkinWrapperHost;

class TSkinObjImage : public TSkinControl {
  BUS_CLASS(TSkinObjImage)
public:
  using TSkinControl::TSkinControl;
  // Mode 1: apply the skin's glyphs to the control.
  int Mode() const noexcept { return mode_; }
  void SetMode(int mode) noexcept { mode_ = mode; }
  // Registers with form without hooking the control; with Mode 1 the glyphs are applied. A second
  // call does nothing.
  void AttachControl(TSkinWrapperHost* form, TSkinData* skin, bool recolour, TCanvas* canvas) override;
  // With Mode 1 the control stops using custom glyphs.
  void Detach() override;
  // With Mode 1 the new skin's glyphs are applied.
  void SkinChanged() override;
  // Builds the control's glyph bitmap from the skin's CheckButton strip: nine slots of one frame
  // each, (unchecked, checked, grey) for the normal, the pressed and the disabled look, filled from
  // frames 1, 2, 1, 2, 3, 4 and, for a 5-frame strip, frame 5 in every grey slot; a slot whose
  // frame the strip lacks stays magenta (transparent). Then the control reloads its glyphs. Nothing
  // without a strip or without a CustomGlyphs bitmap on the control.
  void ApplyGlyphs();

private:
  int mode_ = 0;  // 1: custom glyphs
};

}  // namespace bus
