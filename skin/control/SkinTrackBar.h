// TSkinTrackBar: the wrapper of track bars, drawn through the track bar's custom-draw
// notifications: the channel and the tick marks keep the platform's look, the thumb is frame 2 of
// the skin's Trackbar.ThumbVert (vertical bars) or Trackbar.ThumbHorz image stretched over the
// thumb's rectangle with magenta transparent, or a plain face-coloured box without an image. The
// track bar draws into its own off-screen picture; dragging and keys stay its own.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinTrackBar : public TSkinControl {
  BUS_CLASS(TSkinTrackBar)
public:
  using TSkinControl::TSkinControl;
  // WM_ERASEBKGND: nothing; the track bar's own NM_CUSTOMDRAW (as WM_NOTIFY or reflected back to
  // the control as 0xBC4E): answered by CustomDraw.
  bool BeforeDefault(TMessage& m) override;
  // Repaints with the new skin's thumb.
  void SkinChanged() override;
  // The answer to one custom-draw notification: the thumb is drawn here and the track bar skips
  // its own; everything else the track bar draws as it would.
  LRESULT CustomDraw(const NMCUSTOMDRAW& draw);
  // The skin's thumb on draw's DC at the track bar's thumb rectangle.
  void DrawThumb(const NMCUSTOMDRAW& draw);
};

}  // namespace bus
