// TSkinObjImage: the wrapper of controls of foreign classes that accept custom check glyphs: the
// wrapper hands them the skin's check-box images and replaces no handler. It attaches, registers
// with its form object, switches off and on and detaches as every wrapper does; it draws no skin of
// its own so far.
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
  // Registers with form without hooking the control; with Mode 1 the glyphs are applied.
  void AttachControl(TSkinWrapperHost* form, TSkinData* skin, bool recolour, TCanvas* canvas) override;
  // With Mode 1 the control stops using custom glyphs.
  void Detach() override;

private:
  int mode_ = 0;  // 1: custom glyphs
};

}  // namespace bus
