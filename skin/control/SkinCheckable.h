// TSkinCheckable: what check boxes and radio buttons share under the skin. The control paints
// itself (caption, focus rectangle) and keeps its own mouse and keyboard behaviour; the wrapper
// paints the skin's box or circle over the control's own, in a square cleared with the parent's
// colour. Each WM_PAINT is composed off screen (the control's painting, then the box) and copied in
// one transfer; after the messages on which the platform's button draws itself outside WM_PAINT
// (a click, a check, the focus, enabling) the wrapper draws its box again at once, so the skin's box
// is what stays on the screen.
//
// Kinds say which strip they draw from, which of its frames shows the control's state, and where
// the frame goes (BoxOf). Without the skin's strip the control keeps its own look.
#pragma once

#include <memory>

#include "skin/control/SkinControl.h"
#include "skin/data/ButtonFrames.h"

namespace bus {

// Sent to a check box or radio button: repaint the skin's box.
inline constexpr UINT kSkinMsgRepaintCheck = 0xB0D0;

class TBitmap;
class TDataSkinButton;

class TSkinCheckable : public TSkinControl {
  BUS_CLASS(TSkinCheckable)
public:
  explicit TSkinCheckable(TComponent* owner);
  ~TSkinCheckable() override;

  bool BeforeDefault(TMessage& m) override;
  void AfterDefault(TMessage& m) override;
  // Clears the control's own box and draws the skin's frame of the control's state there.
  void PaintTo(HDC dc, const RECT& rect) override;

protected:
  // What a kind draws: a frame of a strip at a place.
  struct TBox {
    const TBitmap* strip = nullptr;  // the skin's strip; null or empty: nothing is drawn
    int frameCount = 0;              // frames in the strip
    int frame = 0;                   // the frame of the control's state
    TBoxPlacement place;             // where, for the control's rectangle
  };
  // The box of this kind for the control's rectangle, from the skin's Buttons object.
  virtual TBox BoxOf(const TDataSkinButton& buttons, const TSkinRect& control) const = 0;
  // The window is disabled.
  bool DisabledNow() const;
  // The box is right of the caption (BS_LEFTTEXT).
  bool BoxRight() const;

private:
  std::unique_ptr<TBitmap> boxBuffer_;  // the box composes here first (outside WM_PAINT)
};

}  // namespace bus
