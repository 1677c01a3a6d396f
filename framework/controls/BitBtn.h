// Bit buttons: push buttons that show a glyph beside their caption, owner-drawn over the native
// BUTTON with the speed button's glyph and layout rules (ButtonContent.h). Kind gives a standard
// button its caption, its glyph (two frames: up and disabled) and its role: bkOK and bkYes are
// default buttons, bkCancel and bkNo cancel buttons, and a bkClose button closes its form when
// clicked. A glyph of one's own makes the button bkCustom.
//
// This is the glyph button kind of the skin's control selection: TBitBtn and every class derived
// from it.
#pragma once

#include <memory>

#include "framework/ButtonLayout.h"
#include "framework/controls/Button.h"
#include "framework/graphics/Bitmap.h"

namespace bus {

enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

class TBitBtn : public TButton {
  BUS_CLASS(TBitBtn)
public:
  explicit TBitBtn(TComponent* owner);
  ~TBitBtn() override;

  TBitBtnKind Kind() const noexcept { return kind_; }
  void SetKind(TBitBtnKind v);
  TBitmap* Glyph() const noexcept { return glyph_.get(); }
  int NumGlyphs() const noexcept { return numGlyphs_; }
  void SetNumGlyphs(int v);
  TButtonLayout Layout() const noexcept { return layout_; }
  void SetLayout(TButtonLayout v);
  int Margin() const noexcept { return margin_; }
  void SetMargin(int v);
  int Spacing() const noexcept { return spacing_; }
  void SetSpacing(int v);

  void Click() override;
  void WndProc(TMessage& message) override;

protected:
  DWORD ButtonStyle() const override { return BS_OWNERDRAW; }

private:
  void ReadGlyph(TStream& stream);
  void DrawItem(const DRAWITEMSTRUCT& item);

  TBitBtnKind kind_ = TBitBtnKind::bkCustom;  // standard role, caption and glyph
  std::unique_ptr<TBitmap> glyph_;            // picture strip, NumGlyphs frames
  int numGlyphs_ = 1;                         // frames in the strip
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;  // glyph side
  int margin_ = -1;                           // glyph distance from the edge; -1: centred
  int spacing_ = 4;                           // glyph to caption
  bool settingGlyph_ = false;                 // a kind's glyph is being put in: stay that kind
};

}  // namespace bus
