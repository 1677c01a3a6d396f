// TSkinStatusBar: the wrapper of status bars. It paints the whole bar from the skin: the face
// colour, each panel's edge from StatusBarEdges (a plain one-pixel 3-D frame without it), the
// panel texts in StatusBarEdges' NormalColour2, the last panel reaching the bar's right edge, and
// the skin's size grip where the bar has one. The picture is composed in the scratch bitmap and
// copied in one transfer; owner-drawn panels are then handed to the bar's OnDrawPanel, which draws
// on the bar itself. The bar's own size grip is switched off while the wrapper is attached.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TCanvas;
class TCustomStatusBar;
class TSkinData;
class TSkinWrapperHost;

// Frames of StatusBarEdges.
inline constexpr int kEdgeLowered = 1;
inline constexpr int kEdgeRaised = 2;
inline constexpr int kEdgeNone = 3;

class TSkinStatusBar : public TSkinControl {
  BUS_CLASS(TSkinStatusBar)
public:
  using TSkinControl::TSkinControl;
  // Switches the bar's size grip off, then attaches as every wrapper.
  void AttachControl(TSkinWrapperHost* form, TSkinData* skin, bool recolour, TCanvas* canvas) override;
  // Gives the bar its size grip back.
  void Detach() override;
  // WM_PAINT is answered by PaintTo alone and the background is not erased first (for a bar of
  // the widget layer; any other window paints as it would).
  bool BeforeDefault(TMessage& m) override;
  void PaintTo(HDC dc, const RECT& rect) override;
  // A panel's edge over rect: frame kEdge... of StatusBarEdges, or without that image a one-pixel
  // frame, lowered or raised (nothing for kEdgeNone).
  void DrawPanelEdge(HDC dc, const RECT& rect, int frame);

private:
  TCustomStatusBar* Bar() const;

  bool hadSizeGrip_ = false;  // the bar showed its size grip before attaching
};

}  // namespace bus
