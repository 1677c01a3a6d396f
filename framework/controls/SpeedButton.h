// A window-less push button painted and fed by its parent: pressed while the left button is held
// over it, clicks itself when released over it, never takes the focus. Flat buttons show a raised
// frame only while the mouse is over them (CM_MOUSEENTER / CM_MOUSELEAVE).
//
// The glyph is a strip of NumGlyphs equal frames: up, disabled, pressed, down (stays down). It is
// placed with the caption by Layout, Margin and Spacing (see ButtonContent.h).
#pragma once

#include <memory>

#include "framework/ButtonLayout.h"
#include "framework/controls/GraphicControl.h"
#include "framework/graphics/Bitmap.h"

namespace bus {

class TSpeedButton : public TGraphicControl {
  BUS_CLASS(TSpeedButton)
public:
  explicit TSpeedButton(TComponent* owner);
  ~TSpeedButton() override;

  bool Flat() const noexcept { return flat_; }
  void SetFlat(bool v);
  bool Down() const noexcept { return down_; }
  void SetDown(bool v);
  int GroupIndex() const noexcept { return groupIndex_; }
  void SetGroupIndex(int v) noexcept { groupIndex_ = v; }
  bool AllowAllUp() const noexcept { return allowAllUp_; }
  void SetAllowAllUp(bool v) noexcept { allowAllUp_ = v; }
  TBitmap* Glyph() const noexcept { return glyph_.get(); }
  int NumGlyphs() const noexcept { return numGlyphs_; }
  void SetNumGlyphs(int v);
  int Margin() const noexcept { return margin_; }
  void SetMargin(int v);
  int Spacing() const noexcept { return spacing_; }
  void SetSpacing(int v);
  TButtonLayout Layout() const noexcept { return layout_; }
  void SetLayout(TButtonLayout v);
  // The mouse is over the button (hot).
  bool MouseInControl() const noexcept { return mouseInControl_; }
  // Drawn pressed: held down by the mouse, or Down.
  bool Pressed() const noexcept { return pressed_ || down_; }

  void Click() override;
  void WndProc(TMessage& message) override;

protected:
  void Paint() override;

private:
  // Message handlers of WndProc.
  void WmLButtonDown(TMessage& m);
  void WmMouseMove(TMessage& m);
  void WmLButtonUp(TMessage& m);
  void CmMouseEnterLeave(bool inside);
  bool Inside(const TMessage& m) const;
  void ReadGlyph(TStream& stream);
  void PaintFrame(HDC dc, const RECT& r) const;

  bool flat_ = false;             // frame only while hot
  bool down_ = false;             // stays pressed (group buttons)
  int groupIndex_ = 0;            // 0: a plain push button
  bool allowAllUp_ = false;       // a group may have no button down
  std::unique_ptr<TBitmap> glyph_;  // picture strip, NumGlyphs frames side by side
  int numGlyphs_ = 1;             // frames in the glyph strip
  int margin_ = -1;               // glyph distance from the edge; -1: centred
  int spacing_ = 4;               // glyph to caption
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;  // glyph side
  bool pressed_ = false;          // held down by the mouse, pointer inside
  bool dragging_ = false;         // the left button went down on the button
  bool mouseInControl_ = false;   // hot
};

}  // namespace bus
