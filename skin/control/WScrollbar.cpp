#include "skin/control/WScrollbar.h"

#include <windowsx.h>

#include <algorithm>
#include <cassert>
#include <utility>
#include <vector>

#include "core/ScopeExit.h"
#include "core/ScopedValue.h"
#include "core/TextUtil.h"
#include "framework/Properties.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/SkinControl.h"
#include "skin/control/SkinDrawing.h"
#include "skin/data/SkinData.h"

namespace bus {

namespace {

// Frames of the Scrollbar strip: the first arrow of each orientation; the second arrow is 4 further
// on, the pressed look of each one frame further.
constexpr int kLeftArrowFrame = 1;
constexpr int kUpArrowFrame = 9;
constexpr int kSecondArrowOffset = 4;
// Track frames.
constexpr int kTrackEnabledFrame = 1;
constexpr int kTrackDisabledFrame = 3;
// Thumb frames.
constexpr int kThumbFrame = 1;
constexpr int kThumbDraggedFrame = 2;

// The overlays that exist, for telling an overlay's window from others without asking the platform.
std::vector<const TWScrollbar*>& LiveOverlays() {
  static std::vector<const TWScrollbar*> overlays;
  return overlays;
}

}  // namespace

const TClassInfo& TWScrollbar::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TWScrollbar>("TWScrollbar", TCustomControl::StaticClassInfo()).Build();
  return info;
}

TWScrollbar::TWScrollbar(TComponent* owner) : TCustomControl(owner), arrowSize_(GetSystemMetrics(SM_CXHSCROLL)) {
  SetVisible(false);         // shown by UpdatePosition once there is a bar to cover
  SetDoubleBuffered(true);   // composed off screen, one transfer to the window
  LiveOverlays().push_back(this);
}

TWScrollbar::~TWScrollbar() { std::erase(LiveOverlays(), this); }

void TWScrollbar::AttachToControl(TSkinControl* wrapper, TWinControl& control, int barKind) {
  int orientation = barKind;
  if (barKind == kBarControl) orientation = EqualsIgnoringAsciiCase(GetEnumPropertyName(&control, "Kind"), "sbhorizontal") ? 0 : 1;
  Attach(wrapper, control.Handle(), &control, barKind, orientation);
}

void TWScrollbar::AttachToWindow(TSkinControl* wrapper, HWND window, int barKind) {
  int orientation = barKind;
  if (barKind == kBarControl) orientation = (GetWindowLongPtrW(window, GWL_STYLE) & SBS_VERT) ? 1 : 0;
  Attach(wrapper, window, nullptr, barKind, orientation);
}

void TWScrollbar::Attach(TSkinControl* wrapper, HWND window, TWinControl* control, int barKind, int orientation) {
  assert(barKind >= kBarHorizontal && barKind <= kBarControl);
  wrapper_ = wrapper;
  target_ = window;
  targetControl_ = barKind == kBarControl ? control : nullptr;
  barKind_ = barKind;
  orientation_ = orientation;
  SetParentWindow(GetParent(window));
  UpdatePosition(window);
}

bool TWScrollbar::HideBar() {
  if (std::exchange(shown_, false)) Cover(false);
  const HWND h = HandleIfAllocated();
  if (!h || !IsWindowVisible(h)) return false;
  ShowWindow(h, SW_HIDE);
  return true;
}

TSkinData* TWScrollbar::Skin() const noexcept { return wrapper_ ? wrapper_->SkinData() : nullptr; }

bool TWScrollbar::SkinDrawable() const noexcept {
  const TSkinData* skin = Skin();
  const TDataSkinObject* arrows = skin ? skin->ScrollbarImage() : nullptr;
  return arrows && !arrows->Image().Empty();
}

bool TWScrollbar::ReadBar(TScrollBarReading& reading) const {
  if (!target_ || !IsWindow(target_)) return false;
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  const LONG object = barKind_ == kBarControl ? OBJID_CLIENT : barKind_ == kBarVertical ? OBJID_VSCROLL : OBJID_HSCROLL;
  if (!GetScrollBarInfo(target_, object, &info)) return false;
  reading.bar = info.rcScrollBar;
  reading.thumbTop = info.xyThumbTop;
  reading.thumbBottom = info.xyThumbBottom;
  reading.state = info.rgstate[0];
  if (!IsWindowVisible(target_)) reading.state |= STATE_SYSTEM_INVISIBLE;
  if (!IsWindowEnabled(target_)) reading.state |= STATE_SYSTEM_UNAVAILABLE;
  return true;
}

RECT TWScrollbar::ScreenRect() const noexcept { return placed_.bar; }

bool TWScrollbar::UpdatePosition(HWND target) {
  if (placing_ || !target) return false;
  const ScopedValue placing(placing_, true);
  target_ = target;
  TScrollBarReading reading;
  if (!ReadBar(reading) || (reading.state & STATE_SYSTEM_INVISIBLE) || IsRectEmpty(&reading.bar) ||
      !SkinDrawable()) {
    return HideBar();
  }
  const RECT& bar = reading.bar;
  POINT topLeft{bar.left, bar.top}, bottomRight{bar.right, bar.bottom};
  ::ScreenToClient(target, &topLeft);
  ::ScreenToClient(target, &bottomRight);
  barRect_ = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
  barOrigin_ = {bar.left, bar.top};
  length_ = orientation_ == 1 ? bar.bottom - bar.top : bar.right - bar.left;

  const HWND self = Handle();
  POINT at = barOrigin_;
  ::ScreenToClient(GetParent(self), &at);
  const int width = bar.right - bar.left, height = bar.bottom - bar.top;
  RECT now{};
  GetWindowRect(self, &now);
  MapWindowPoints(HWND_DESKTOP, GetParent(self), reinterpret_cast<POINT*>(&now), 2);
  // The overlays of the target lie directly above it, below every sibling that lies over it. One
  // that is among them stays where it is (two overlays that each insisted on lying right on the
  // target would swap places after every message); any other goes directly after the first window
  // above them. The walk stops at this overlay: one that stays needs nothing above it.
  HWND above = GetWindow(target, GW_HWNDPREV);
  bool stacked = false;
  for (; above && IsOverlayOf(above, target); above = GetWindow(above, GW_HWNDPREV)) {
    if (above == self) {
      stacked = true;
      break;
    }
  }
  const bool visible = IsWindowVisible(self) != FALSE;
  const bool moved = now.left != at.x || now.top != at.y || now.right - now.left != width || now.bottom - now.top != height;
  UINT flags = SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  if (stacked) flags |= SWP_NOZORDER;
  if (!moved) flags |= SWP_NOMOVE | SWP_NOSIZE;
  if (!visible) flags |= SWP_SHOWWINDOW;
  if (!stacked || moved || !visible) SetWindowPos(self, above ? above : HWND_TOP, at.x, at.y, width, height, flags);
  // a window shown now paints anyway; one that moved, changed its place in the stack or covers a
  // changed bar is drawn afresh
  const bool changed = !visible || !stacked || moved || !(reading == placed_);
  if (visible && changed) InvalidateRect(self, nullptr, FALSE);
  placed_ = reading;
  if (!std::exchange(shown_, true)) Cover(true);
  return changed;
}

void TWScrollbar::Cover(bool covered) {
  if (!target_ || !IsWindow(target_)) return;
  TWinControl* control = targetControl_ ? targetControl_ : FindControl(target_);
  if (!control) return;  // a window of other code draws its bars itself
  const int bar = barKind_ == kBarControl ? SB_CTL : barKind_ == kBarVertical ? SB_VERT : SB_HORZ;
  control->SetScrollBarCovered(bar, covered);
}

bool TWScrollbar::IsOverlayOf(HWND window, HWND target) noexcept {
  // the overlays are few; a look among them costs no call to the platform, where reading the
  // control of each window the stacking walk meets (a window property) cost a call each, after
  // every message of the covered window
  const std::vector<const TWScrollbar*>& overlays = LiveOverlays();
  return std::any_of(overlays.begin(), overlays.end(), [&](const TWScrollbar* overlay) {
    return overlay->target_ == target && overlay->HandleIfAllocated() == window;
  });
}

int TWScrollbar::HitTest(POINT p) const {
  const int along = orientation_ == 1 ? p.y : p.x;
  if (along < arrowSize_) return SB_LINEUP;
  if (along < thumbStart_) return SB_PAGEUP;
  if (along < thumbEnd_) return SB_THUMBTRACK;
  if (along < length_ - arrowSize_) return SB_PAGEDOWN;
  return SB_LINEDOWN;
}

void TWScrollbar::TrackThumb() {
  const int thumbLength = thumbEnd_ - thumbStart_;
  POINT cursor{};
  GetCursorPos(&cursor);
  const int moved = orientation_ == 1 ? cursor.y - downPoint_.y : cursor.x - downPoint_.x;
  int start = downThumbStart_ + moved;
  start = std::max(start, arrowSize_);
  start = std::min(start, length_ - arrowSize_ - thumbLength);
  thumbStart_ = start;
  thumbEnd_ = start + thumbLength;
}

void TWScrollbar::SetHitCode(int code) {
  hitCode_ = code;
  Invalidate();
}

void TWScrollbar::Dispose() noexcept {
  HideBar();
  if (TComponent* owner = Owner()) owner->RemoveComponent(this);
  wrapper_ = nullptr;
  target_ = nullptr;
  targetControl_ = nullptr;
  calls_.FreeWhenIdle([this] { Free(); });
}

// --- painting -----------------------------------------------------------------------------------

void TWScrollbar::Paint() {
  if (!SkinDrawable()) return;
  TScrollBarReading reading;
  if (!ReadBar(reading) || (reading.state & STATE_SYSTEM_INVISIBLE)) return;
  const TSkinData& skin = *Skin();
  const TDataSkinObject& arrows = *skin.ScrollbarImage();
  const bool enabled = (reading.state & STATE_SYSTEM_UNAVAILABLE) == 0;
  const bool vertical = orientation_ == 1;
  const int a = arrowSize_;

  HDC dc = Canvas().Handle();
  const SavedDCState saved(dc);
  SetStretchBltMode(dc, COLORONCOLOR);
  RECT r{0, 0, reading.bar.right - reading.bar.left, reading.bar.bottom - reading.bar.top};
  length_ = vertical ? r.bottom : r.right;
  wrapper_->FillFace(dc, r);
  // the bar is as thick as the arrow strip (or the arrow size when the strip is much thinner); the
  // rest stays face
  int thickness = arrows.Image().Height();
  if (thickness + 3 < a) thickness = a;
  (vertical ? r.right : r.bottom) = thickness;

  // the track between the arrows
  if (const TDataSkinObject* track = vertical ? skin.VertScroll() : skin.HorzScroll(); track && !track->Image().Empty()) {
    RECT t = r;
    if (vertical) {
      t.top += a;
      t.bottom -= a;
    } else {
      t.left += a;
      t.right -= a;
    }
    DrawSkinObject(dc, t, track->Frame(), enabled ? kTrackEnabledFrame : kTrackDisabledFrame, *track);
  }

  // the arrows share a bar too short for both
  const int arrow = 2 * a > length_ ? length_ / 2 : a;
  RECT first = r, second = r;
  if (vertical) {
    first.bottom = first.top + arrow;
    second.top = second.bottom - arrow;
  } else {
    first.right = first.left + arrow;
    second.left = second.right - arrow;
  }
  int firstFrame = vertical ? kUpArrowFrame : kLeftArrowFrame;
  int secondFrame = firstFrame + kSecondArrowOffset;
  if (pressing_ && hitCode_ == SB_LINEUP) ++firstFrame;
  if (pressing_ && hitCode_ == SB_LINEDOWN) ++secondFrame;
  DrawSkinFrameTransparent(dc, first, arrows.Frame(), firstFrame, arrows.Image());
  DrawSkinFrameTransparent(dc, second, arrows.Frame(), secondFrame, arrows.Image());

  // the thumb: following the cursor while the platform drags it, else where the platform has it
  if (hitCode_ == SB_THUMBTRACK && barKind_ != kBarControl) {
    TrackThumb();
  } else {
    thumbStart_ = reading.thumbTop;
    thumbEnd_ = reading.thumbBottom;
  }
  if (!enabled) return;
  const TDataSkinObject* thumb = vertical ? skin.VertScrollThumb() : skin.HorzScrollThumb();
  if (!thumb || thumb->Image().Empty()) return;
  const RECT t = vertical ? RECT{0, thumbStart_, thickness, thumbEnd_} : RECT{thumbStart_, 0, thumbEnd_, thickness};
  const int frame = pressing_ && hitCode_ == SB_THUMBTRACK ? kThumbDraggedFrame : kThumbFrame;
  DrawSkinImage(dc, t, thumb->Image(), false, false, thumb->Trans() == 1, thumb->Frame(), frame, thumb->Margins());
}

// --- mouse --------------------------------------------------------------------------------------

POINT TWScrollbar::TargetPoint(const TMessage& m) const {
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  if (barKind_ != kBarControl) {
    p.x += barOrigin_.x;
    p.y += barOrigin_.y;
  }
  return p;
}

TWScrollbar::TForwarded TWScrollbar::Forwarded(bool press) const noexcept {
  switch (barKind_) {
    case kBarVertical:
      return {UINT(press ? WM_NCLBUTTONDOWN : WM_NCLBUTTONUP), HTVSCROLL};
    case kBarHorizontal:
      return {UINT(press ? WM_NCLBUTTONDOWN : WM_NCLBUTTONUP), HTHSCROLL};
    default:
      return {UINT(press ? WM_LBUTTONDOWN : WM_LBUTTONUP), MK_LBUTTON};
  }
}

// A press on the overlay is a press on the covered bar: the platform's scroll loop runs inside the
// forwarded message until the button is released, reporting to the covered window as it scrolls.
// A disabled window is not scrolled (the platform would still run the loop for a sent message).
void TWScrollbar::WmLButtonDown(TMessage& m) {
  TCustomControl::WndProc(m);
  if (!target_ || !IsWindowEnabled(target_)) return;
  const POINT p = TargetPoint(m);
  GetCursorPos(&downPoint_);
  if (TScrollBarReading reading; ReadBar(reading)) {
    thumbStart_ = downThumbStart_ = reading.thumbTop;
    thumbEnd_ = reading.thumbBottom;
  }
  if (barKind_ == kBarControl) hitCode_ = HitTest({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
  const HWND target = target_;
  pressing_ = true;
  const ScopeExit released([this] {
    pressing_ = false;
    ReleaseCapture();
    if (barKind_ == kBarControl) Invalidate();
  });
  if (barKind_ == kBarControl) Invalidate();
  ReleaseCapture();
  const TForwarded press = Forwarded(true);
  SendMessageW(target, press.msg, press.wParam, MAKELPARAM(p.x, p.y));
}

void TWScrollbar::WmLButtonUp(TMessage& m) {
  TCustomControl::WndProc(m);
  const POINT p = TargetPoint(m);
  pressing_ = false;
  ReleaseCapture();
  if (!target_ || !IsWindowEnabled(target_)) return;
  const TForwarded release = Forwarded(false);
  PostMessageW(target_, release.msg, release.wParam, MAKELPARAM(p.x, p.y));
  if (barKind_ == kBarControl) Invalidate();
}

void TWScrollbar::WndProc(TMessage& m) {
  const TCallCounter::Call call(calls_);  // an overlay disposed of meanwhile goes when this call ends
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return WmLButtonDown(m);
    case WM_LBUTTONUP:
      return WmLButtonUp(m);
    case WM_ERASEBKGND:
      m.Result = 1;  // the painting covers every pixel
      return;
    default:
      return TCustomControl::WndProc(m);
  }
}

}  // namespace bus
