// TSkinTab: the wrapper of tab and page controls, attached to their window. Over the control's own
// painting it draws the tab strip from the skin's Tabs image (frame 2 for the selected tab, frame 1
// for the others, the texts in NormalColour2 and MouseOverColour2 with each tab's image) and frames
// the page with the Tabs border image, leaving the page's inside alone. Tabs along the bottom use
// the images flipped; tabs on the left or right are drawn lying, as along the top, and the strip
// is turned as a whole, texts included. When the tabs overflow, the control's scroll arrows get a
// spin button wrapper and stay visible over the strip. Everything reaches the window in one
// transfer; clicks and keys remain the control's own.
#pragma once

#include "framework/graphics/Bitmap.h"
#include "skin/control/SkinControl.h"

namespace bus {

class TSkinUpDown;

// Sides of TSkinTab::TabPosition.
inline constexpr int kTabsTop = 0;
inline constexpr int kTabsBottom = 1;
inline constexpr int kTabsLeft = 2;
inline constexpr int kTabsRight = 3;

class TSkinTab : public TSkinControl {
  BUS_CLASS(TSkinTab)
public:
  explicit TSkinTab(TComponent* owner);
  ~TSkinTab() override;

  // The base's attaching, then the skin's images prepared and the scroll arrows looked for.
  void AttachWindow(HWND handle, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas) override;
  // Prepares the new skin's images, then repaints.
  void SkinChanged() override;
  // WM_PAINT: the control's painting with the skin's over it (PaintOverDefault); WM_ERASEBKGND:
  // nothing on the screen, the background is part of that picture.
  bool BeforeDefault(TMessage& m) override;
  void PaintTo(HDC dc, const RECT& rect) override;

  // The side of the tabs (kTabs...) read from the window style.
  int TabPosition() const noexcept { return tabPosition_; }
  void ReadTabPosition();
  // Reads the side, then copies the Tabs images turned for it into TabImage and BorderImage (each
  // empty when the skin lacks it).
  void PrepareImages();
  // Looks for the control's scroll arrows (an up-down child window), giving them a TSkinUpDown
  // the first time; whether they are visible.
  bool FindSpinButton();
  // Frame `frame` of TabImage over rect, with the Tabs margins, tiling and transparency.
  void DrawTab(HDC dc, const RECT& rect, int frame);

  const TBitmap& TabImage() const noexcept { return tabImage_; }
  const TBitmap& BorderImage() const noexcept { return borderImage_; }
  const TBitmap& StripBitmap() const noexcept { return stripBitmap_; }
  // The scroll arrows' wrapper, or null (also once it has been freed).
  TSkinUpDown* SpinButton() const noexcept { return spinButton_; }

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  // The page frame: the display area grown by 4 and moved in by one pixel on the tabs' side.
  RECT PageRect(const RECT& rect) const;
  // The part of rect outside page on the tabs' side.
  RECT StripRect(const RECT& rect, const RECT& page) const;
  // Tab rectangle r (client coordinates) in StripBitmap, which is drawn lying for the sides.
  RECT InStrip(RECT r, const RECT& rect, const RECT& page) const;
  void DrawStrip(HDC dc, const RECT& rect, const RECT& page);

  int tabPosition_ = kTabsTop;         // kTabs...
  TBitmap tabImage_;                   // Tabs' Image, 24 bits, flipped for tabs along the bottom
  TBitmap borderImage_;                // Tabs' Border, 24 bits, turned for the tabs' side
  TBitmap stripBitmap_;                // the tab strip as last drawn (lying for the sides), 24 bits
  TSkinUpDown* spinButton_ = nullptr;  // the scroll arrows' wrapper, owned by this wrapper's owner
};

}  // namespace bus
