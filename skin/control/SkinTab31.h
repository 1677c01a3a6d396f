// TSkinTab31: the wrapper of tab sets, whose tabs hang from the top edge. Over the tab set's own
// painting it draws the face colour and each shown tab from the skin's Tabs image turned upside
// down (frame 2 for the current tab, frame 1 for the others; texts centred in NormalColour2 and
// MouseOverColour2), where the tab set places it; the tab set's scroll arrows stay its own. The
// picture reaches the window in one transfer; clicks remain the tab set's.
#pragma once

#include "framework/graphics/Bitmap.h"
#include "skin/control/SkinControl.h"

namespace bus {

class TTabSet;

class TSkinTab31 : public TSkinControl {
  BUS_CLASS(TSkinTab31)
public:
  explicit TSkinTab31(TComponent* owner);
  ~TSkinTab31() override;

  // Attaches as every wrapper of a control, then prepares the tab image.
  void AttachControl(TSkinWrapperHost* form, TSkinData* skin, bool recolour, TCanvas* canvas) override;
  // Prepares the new skin's tab image, then repaints.
  void SkinChanged() override;
  // WM_PAINT: the tab set's painting with the skin's over it; WM_ERASEBKGND: nothing on the screen.
  bool BeforeDefault(TMessage& m) override;
  void PaintTo(HDC dc, const RECT& rect) override;
  // TabImage := the Tabs image flipped upside down (empty without one).
  void PrepareImage();

  const TBitmap& TabImage() const noexcept { return tabImage_; }

private:
  TTabSet* TabSet() const;

  TBitmap tabImage_;  // the Tabs image, upside down
};

}  // namespace bus
