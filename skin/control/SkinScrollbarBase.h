// TSkinScrollbarBase: what the scroll bar wrappers share. Each lays overlays (TWScrollbar) over the
// scroll bars it skins: TSkinScrollbar and TSkinScrollbarH over the horizontal and vertical
// built-in bars of a control or a bare window, TSkinScControl over a whole stand-alone scroll bar
// control. The control keeps its real bars and all of their logic; the overlays draw them from the
// skin and hand presses back.
//
// The overlays follow the window after each of its messages: a reading per bar, which moves,
// shows, hides or repaints an overlay only when its bar changed. That keeps them true to scrolling
// the window does without telling anyone (a memo scrolled by the keyboard calls SetScrollInfo,
// which sends no message) as well as to scroll messages, size changes, non-client repaints and a
// window hidden or shown. Besides:
// - the window's own scroll codes (WM_HSCROLL / WM_VSCROLL with lParam 0; with a child's handle
//   they are a child scroll bar's) go to the overlay of that bar, which draws the pressed arrow or
//   the dragged thumb from them; the wheel repaints;
// - the square between two shown bars is painted in the skin's face colour after the window's own
//   painting, and again whenever a bar changed (the platform paints it with its bars);
// - hidden with the control (0xB00B, wParam 0) and while the wrapper is switched off (0x3506), so
//   the control's own bars show; back when it is switched on;
// - Detach frees the overlays, or, when the window is gone (Status 6), hides them until the wrapper
//   goes; an overlay in the middle of a press goes once the press is over.
#pragma once

#include <array>

#include "skin/control/SkinControl.h"

namespace bus {

class TWScrollbar;
class TWinControl;

class TSkinScrollbarBase : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  ~TSkinScrollbarBase() override;

  // Brings each overlay to its bar.
  void UpdateBars();

  void Detach() override;
  void AfterDefault(TMessage& m) override;
  // Brings the overlays to their bars and fills the corner between two shown ones.
  void PaintTo(HDC dc, const RECT& rect) override;
  void SkinChanged() override;

protected:
  void BeforeDestruction() override;
  // Lays an overlay of kind barKind over control's window or, without a control, over window.
  void AddBar(TWinControl* control, HWND window, int barKind);
  // The overlay of kind barKind, or null.
  TWScrollbar* Bar(int barKind) const noexcept { return bars_[std::size_t(barKind)]; }
  void HideBars();

private:
  // UpdatePosition of each overlay; true when one of them changed.
  bool PlaceBars();
  void InvalidateShownBars();
  void ReleaseBars() noexcept;
  // FillCorner on the window's own DC.
  void PaintCorner();
  // Fills the square between the horizontal and the vertical bar when both are shown; dc is a DC
  // of the whole window, whose screen rectangle is window.
  void FillCorner(HDC dc, const RECT& window) const;

  std::array<TWScrollbar*, 3> bars_{};  // by BarKind; owned by the wrapper until released
};

}  // namespace bus
