// TWScrollbar: a small window of ours laid exactly over one scroll bar of another window, where it
// draws that bar from the skin. The covered window keeps its real scroll bar and all of its logic:
// the overlay reads the bar's place, thumb and state from the platform and hands a left press on
// itself to the covered window as a press on its own bar, so the platform's modal scroll loop does
// the dragging, the paging and the arrow repeat (no timers here) while the overlay only mirrors the
// result.
//
// Three kinds of bar (BarKind): the covered window's horizontal (0) or vertical (1) built-in bar,
// read with GetScrollBarInfo (OBJID_HSCROLL, OBJID_VSCROLL); or a whole stand-alone scroll bar
// control (2), read with GetScrollBarInfo (OBJID_CLIENT), so the thumb is drawn exactly where the
// control itself finds it when pressed.
//
// Placement (UpdatePosition): the overlay is a child of the covered window's parent, lies directly
// above the covered window in z-order (siblings that cover the window, like a panel shown over it,
// cover the overlay as well) and has the bar's rectangle. It hides, leaving the platform's own bar
// to show, whenever it has nothing sound to draw: the bar cannot be read, the bar or the covered
// window is invisible, or the skin has no arrow image. While it shows over a control of ours, the
// control updates that bar without the platform drawing it underneath; hidden, the platform's bar
// is drawn afresh.
//
// Painting: track (HorzScroll / VertScroll, frame 1, or 3 when disabled), the two arrows (Scrollbar,
// frames 1/5 horizontal, 9/13 vertical, one more while pressed) and, when enabled, the thumb
// (HorzScrollThumb / VertScrollThumb, frame 2 while dragged) over ButtonFace, composed off screen
// and copied to the window in one transfer. While the platform drags the thumb the skinned thumb
// follows the cursor at once (TrackThumb), clamped between the arrows.
#pragma once

#include <windows.h>

#include "core/CallCounter.h"
#include "framework/controls/CustomControl.h"

namespace bus {

class TSkinControl;
class TSkinData;

// BarKind values.
inline constexpr int kBarHorizontal = 0;  // the covered window's horizontal scroll bar
inline constexpr int kBarVertical = 1;    // its vertical scroll bar
inline constexpr int kBarControl = 2;     // a stand-alone scroll bar control, covered whole

// One reading of a scroll bar.
struct TScrollBarReading {
  RECT bar{};           // the whole bar, arrows included, screen coordinates
  int thumbTop = 0;     // the thumb's extent along the axis, pixels from the bar's start
  int thumbBottom = 0;  // (both 0 when there is no thumb)
  DWORD state = 0;      // STATE_SYSTEM_INVISIBLE, STATE_SYSTEM_UNAVAILABLE of the whole bar

  friend bool operator==(const TScrollBarReading& a, const TScrollBarReading& b) noexcept {
    return EqualRect(&a.bar, &b.bar) && a.thumbTop == b.thumbTop && a.thumbBottom == b.thumbBottom &&
           a.state == b.state;
  }
};

class TWScrollbar : public TCustomControl {
  BUS_CLASS(TWScrollbar)
public:
  // owner: the wrapper the overlay belongs to. ArrowSize is the platform's scroll arrow width.
  explicit TWScrollbar(TComponent* owner);
  ~TWScrollbar() override;

  // Covers the bar of kind barKind of control's window (for kind 2 the control itself; its Kind
  // property gives the orientation), drawing wrapper's skin; the overlay becomes a child of the
  // window's parent and takes its place at once.
  void AttachToControl(TSkinControl* wrapper, TWinControl& control, int barKind);
  // The same over a window that has no control object (for kind 2, SBS_VERT gives the orientation).
  void AttachToWindow(TSkinControl* wrapper, HWND window, int barKind);
  // Hides the overlay (the covered bar shows again until the next UpdatePosition). True when it
  // was shown.
  bool HideBar();
  // Reads the bar of target (the covered window's current handle) and follows it: hidden when there
  // is nothing to draw (see above), otherwise shown directly above target with the bar's rectangle,
  // and repainted when the bar's thumb or state changed. Moves and re-stacks the window only when
  // needed, so calling it after every message of the covered window costs a reading. True when
  // the overlay changed (shown, hidden, moved or repainted).
  bool UpdatePosition(HWND target);
  // The scroll code of the part of a stand-alone bar under p (the overlay's client coordinates):
  // SB_LINEUP, SB_PAGEUP, SB_THUMBTRACK, SB_PAGEDOWN or SB_LINEDOWN.
  int HitTest(POINT p) const;
  // Moves the thumb by the cursor's way since the press, clamped between the arrows.
  void TrackThumb();
  // Reads the covered bar; false when the platform cannot tell. The state also says invisible while
  // the covered window is hidden and unavailable while it is disabled.
  bool ReadBar(TScrollBarReading& reading) const;
  // The scroll code the covered window last reported (WM_HSCROLL / WM_VSCROLL); repaints.
  void SetHitCode(int code);
  // Takes the overlay off its wrapper and frees it now, or, while it is handling a message (a press
  // running the platform's scroll loop), when that message is done.
  void Dispose() noexcept;

  int Length() const noexcept { return length_; }
  int ThumbStart() const noexcept { return thumbStart_; }
  int ThumbEnd() const noexcept { return thumbEnd_; }
  POINT BarOrigin() const noexcept { return barOrigin_; }
  bool Pressing() const noexcept { return pressing_; }
  int Orientation() const noexcept { return orientation_; }
  int ArrowSize() const noexcept { return arrowSize_; }
  HWND Target() const noexcept { return target_; }
  TWinControl* TargetControl() const noexcept { return targetControl_; }
  TSkinControl* Wrapper() const noexcept { return wrapper_; }
  int BarKind() const noexcept { return barKind_; }
  const RECT& BarRect() const noexcept { return barRect_; }
  int HitCode() const noexcept { return hitCode_; }
  bool Shown() const noexcept { return shown_; }
  // The bar's rectangle in screen coordinates as last placed.
  RECT ScreenRect() const noexcept;

  void WndProc(TMessage& m) override;

protected:
  void Paint() override;

private:
  void Attach(TSkinControl* wrapper, HWND window, TWinControl* control, int barKind, int orientation);
  // Message handlers of WndProc.
  void WmLButtonDown(TMessage& m);
  void WmLButtonUp(TMessage& m);
  // The message that hands a press (or a release) on to the covered window: a press on its
  // horizontal or vertical bar's non-client area, or a left button message for a scroll bar control.
  struct TForwarded {
    UINT msg;       // message number
    WPARAM wParam;  // hit-test code or key state
  };
  TForwarded Forwarded(bool press) const noexcept;
  // Tells the covered control, when it is one of ours, that the overlay draws its bar now (so the
  // platform need not draw it underneath), or no longer.
  void Cover(bool covered);
  // window is an overlay over a bar of target.
  static bool IsOverlayOf(HWND window, HWND target) noexcept;
  // The press point of a mouse message as the covered window expects it (screen coordinates for a
  // built-in bar, client coordinates for a stand-alone one).
  POINT TargetPoint(const TMessage& m) const;
  // The skin drawn, or null.
  TSkinData* Skin() const noexcept;
  // The skin has the arrow strip every painting needs.
  bool SkinDrawable() const noexcept;

  int length_ = 0;                  // length of the bar along its axis, pixels
  int thumbStart_ = 0;              // thumb extent along the axis, pixels from the bar's start
  int thumbEnd_ = 0;                // ...
  POINT barOrigin_{};               // the bar's top-left corner, screen coordinates
  POINT downPoint_{};               // cursor position (screen) at the last press
  int downThumbStart_ = 0;          // ThumbStart at the last press
  bool pressing_ = false;           // a press is being handed to the covered window
  int orientation_ = 0;             // 0 horizontal, 1 vertical
  int arrowSize_ = 0;               // SM_CXHSCROLL at creation, for both orientations
  HWND target_ = nullptr;           // the window whose scroll bar is covered
  TWinControl* targetControl_ = nullptr;  // the stand-alone scroll bar control (kind 2), or null
  TSkinControl* wrapper_ = nullptr;  // whose SkinData is drawn
  int barKind_ = kBarHorizontal;    // kBarHorizontal, kBarVertical, kBarControl
  RECT barRect_{};                  // the bar in the covered window's client coordinates
  int hitCode_ = SB_ENDSCROLL;      // scroll code of the part being operated (SB_LINEUP 0 ... SB_ENDSCROLL 8)
  bool shown_ = false;              // the overlay is visible over a visible bar
  TScrollBarReading placed_{};      // the reading the window was last placed and painted for
  bool placing_ = false;            // UpdatePosition is running (moving the window may come back to it)
  TCallCounter calls_;              // WndProc calls running; Dispose waits for them
};

}  // namespace bus
