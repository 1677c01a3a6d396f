// TSkinEdit: the wrapper of edit boxes (the main window's query boxes, raw edit windows of dialogs)
// and of date-time pickers without a drop-down calendar, attached to their window. It gives the box
// a flat two-pixel ring drawn over the box's own border: ButtonShadow outside, white inside. A box
// without a border (its client area as large as the window) is not drawn over, unless it draws a
// one-pixel border of its own along the edge of its client area (an edit made with WS_BORDER and
// no client edge turns the style into a border it paints itself).
//
// The box keeps all of its behaviour (typing, selection, caret, input methods, clipboard, context
// menu, read-only and disabled states): the wrapper only paints. A box with a frame gets the ring
// in place of its stock border at every frame paint, composed off screen and copied in one
// transfer, and paints its client area itself; a box without one has its own client painting and
// the ring composed off screen the same way. A spin button that lives inside the
// box (a picker's up-down) gets a TSkinUpDown, owned by this wrapper, at the first paint that finds
// it.
#pragma once

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinUpDown;

// The ring's width: what the edit wrapper draws of a box's edge.
inline constexpr int kEditRingWidth = 2;

class TSkinEdit : public TSkinControl {
  BUS_CLASS(TSkinEdit)
public:
  using TSkinControl::TSkinControl;

  // The base attach; the box's frame is invalidated too, so that its next paint puts the ring in
  // place of the stock border.
  void AttachWindow(HWND handle, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas) override;

  // WM_PAINT without a DC (composed with the ring) and WM_NCPAINT (the ring for the stock border)
  // are answered here; the base sees the rest.
  bool BeforeDefault(TMessage& m) override;
  // A WM_PAINT that brings its own DC gets the box's painting alone; WM_PRINT gets the ring over
  // the printed picture (PrintFrame); the base sees the rest.
  void AfterDefault(TMessage& m) override;
  // Looks for the spin button when there is none yet; then, when the box has a border, the ring:
  // rect framed in ButtonShadow, rect shrunk by 1 framed in white. dc holds the box's own painting
  // (a box without a frame is asked through it whether it draws a border of its own).
  void PaintTo(HDC dc, const RECT& rect) override;

  // The wrapper of the spin button found inside the box, or null.
  TSkinUpDown* SpinButton() const noexcept { return spinButton_; }
  // The first child window whose class name, in lower case, is "msctls_updown32" or contains
  // "spin" or "updown" gets a TSkinUpDown (Inset) attached to it. Nothing when there is none: the
  // next paint looks again.
  void FindSpinButton();
  // Draws the ring over dc, a picture of the whole window as WM_PRINT made it (window coordinates).
  void PrintFrame(HDC dc);

protected:
  void Notification(TComponent* component, TOperation operation) override;
  bool PaintsFrame() const noexcept override { return true; }

private:
  // Whether the ring reaches into the client area (the frame is narrower than the ring), so that
  // the client's painting and the ring are composed.
  bool RingInClient() const;
  // Whether the box has a border to draw over: a frame around its client area, or one it paints
  // itself along the client's edge (read from dc, which holds that painting; rect the window).
  bool HasBorder(HDC dc, const RECT& rect) const;

  TSkinUpDown* spinButton_ = nullptr;  // owned by this wrapper; null until found
};

}  // namespace bus
