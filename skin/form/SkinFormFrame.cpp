// The frame of TSkinForm: its geometry and the window's styles, the window procedure's frame stages
// and the hover timer.
//
// Stage 2 follows the window's size, activation and state and carries out window commands; stage 3
// takes the non-client area over from the platform once the frame is ready (and the window neither
// minimised nor an MDI child out of normal state): the client area inside the skin's borders, hit
// tests, activation and painting. A message stage 2 handled is not passed on again by stage 3,
// with one exception the window has always seen: WM_SIZE reaches the window's own procedure from
// both stages.
//
// The platform cannot be left to answer for the frame: its hit test works from the window's styles,
// not from the client area we gave it, and it paints its own caption when a window's text or icon
// changes. Hit tests are answered from the skin's geometry for every point of the frame, and the
// skin's frame is painted again after those changes.
#include <windows.h>

#include <algorithm>
#include <utility>

#include "core/ScopeExit.h"
#include "core/WideText.h"
#include "framework/controls/Form.h"
#include "framework/controls/Timer.h"
#include "framework/controls/WindowSubclass.h"
#include "skin/control/SkinControl.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinCaptionButton.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"

namespace bus {

namespace {

// Rows at the top of a sizeable window's caption that size the window rather than move it.
constexpr int kTopSizingRows = 4;
// The style bits the frame takes off a window, and which of them Unhook gives back.
constexpr DWORD kBoxStyles = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// One frame's extent of a border strip of `count` frames (a count below 1 counts as 1).
int FrameExtent(int total, int count) { return total / std::max(count, 1); }

// The hit code of a caption button by what it does.
LRESULT ButtonHitCode(const TSkinCaptionButton& button) {
  switch (button.SkinButton().Action()) {
    case kActionClose:
      return HTCLOSE;
    case kActionMaximize:
    case kActionMaximize2:
      return HTMAXBUTTON;
    case kActionMinimize:
    case kActionMinimize2:
      return HTMINBUTTON;
    case kActionSystemMenu:
    case kActionSystemMenu2:
    case kActionSystemMenu3:
      return HTSYSMENU;
    default:
      return HTCAPTION;  // the program's own buttons sit in the caption
  }
}

// The screen point of a mouse message's lParam.
int PointX(LPARAM lParam) { return short(LOWORD(lParam)); }
int PointY(LPARAM lParam) { return short(HIWORD(lParam)); }

// Hit codes that name a part of the frame (what the platform would say from the window's styles).
bool IsFrameCode(LRESULT code) {
  return code != HTCLIENT && code != HTTRANSPARENT && code != HTERROR;
}

}  // namespace

// --- Geometry and styles -------------------------------------------------------------------------

void TSkinForm::BuildFrame() {
  if (!frameSkinning_ || skinData_->SkinEmpty()) return;
  if (borderStyle_ == kBorderNone) {
    frameLeft_ = frameTop_ = frameRight_ = frameBottom_ = menuHeight_ = 0;
  } else {
    // the top and bottom images hold their frames one above the other, the side images side by side
    frameTop_ = FrameExtent(skinData_->Top()->Image().Height(), skinData_->Top()->Frame());
    frameLeft_ = FrameExtent(skinData_->Left()->Image().Width(), skinData_->Left()->Frame());
    frameRight_ = FrameExtent(skinData_->Right()->Image().Width(), skinData_->Right()->Frame());
    frameBottom_ = FrameExtent(skinData_->Bottom()->Image().Height(), skinData_->Bottom()->Frame());
  }
  FreeCaptionButtons();
  const auto& entries = skinData_->SysButtons();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    TDataSkinSysButton* entry = entries[i].get();
    if (entry->Action() == kActionSystemMenu || entry->Action() == kActionSystemMenu2) {
      // the system-menu button shows the window's icon: an entry without an image takes its size
      if (entry->Image().Empty() && !iconBitmap_.Empty()) {
        entry->Image().Assign(iconBitmap_);
        entry->SetFrame(1);
      }
      if (skinData_->AppIcon().Empty() && !iconBitmap_.Empty()) skinData_->AppIcon().Assign(iconBitmap_);
    }
    captionButtons_.push_back(std::make_unique<TSkinCaptionButton>(*this, i));
  }
}

void TSkinForm::FitWindow(bool keepClient, bool redraw) {
  if (windowState_ == kStateMaximized) {
    FrameChanged();
    return;
  }
  RECT window{};
  GetWindowRect(handle_, &window);
  if (keepClient) {
    GetClientRect(handle_, &hookClientRect_);
  } else {
    // the client area the platform's frame gives at this size (its frame as measured when hooked)
    hookClientRect_ = {0, 0, std::max<LONG>(0, Width(window) - nativeFrame_.right),
                       std::max<LONG>(0, Height(window) - nativeFrame_.bottom)};
  }
  int width = hookClientRect_.right + frameLeft_ + frameRight_;
  const int height = hookClientRect_.bottom + frameTop_ + frameBottom_ + menuHeight_;
  if (isDialog_ && !keepClient) {
    // a message box as wide as its caption: its children keep their places in the middle
    const std::wstring caption = GetWindowTextWide(handle_);
    int captionWidth = 0;
    {
      const WindowDC screen;
      const DcSelection font(screen.Get(), captionFont_.Handle());
      SIZE extent{};
      GetTextExtentPoint32W(screen.Get(), caption.c_str(), int(caption.size()), &extent);
      captionWidth = extent.cx;
    }
    const TDataSkinTitle& title = *skinData_->Title();
    const int need = title.LeftWidth() + captionWidth + title.RightWidth();
    if (width < need) {
      const int shift = (need - width) / 2;
      for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child, nullptr, r.left + shift, r.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING | SWP_NOACTIVATE);
      }
      width = need;
    }
  }
  fitted_ = true;
  SetWindowPos(handle_, nullptr, 0, 0, width, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | (redraw ? 0 : SWP_NOREDRAW));
}

void TSkinForm::GiveBackFrameSize() {
  const DWORD style = DWORD(GetWindowLongPtrW(handle_, GWL_STYLE));
  if (kind_ != kKindMDIChild && (style & WS_CHILD)) return;
  const int dx = nativeFrame_.right - frameLeft_ - frameRight_;
  const int dy = nativeFrame_.bottom - frameTop_ - menuHeight_ - frameBottom_;
  if (!fitted_ || (dx == 0 && dy == 0)) {
    FrameChanged();
    return;
  }
  fitted_ = false;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (IsIconic(handle_) || IsZoomed(handle_)) {
    // the size it comes back to is the one to fit; the platform sizes a maximised window itself
    if (GetWindowPlacement(handle_, &placement)) {
      placement.rcNormalPosition.right += dx;
      placement.rcNormalPosition.bottom += dy;
      placement.showCmd = IsIconic(handle_) ? SW_SHOWMINNOACTIVE : SW_SHOWMAXIMIZED;
      SetWindowPlacement(handle_, &placement);
    }
    FrameChanged();
    return;
  }
  RECT window{};
  GetWindowRect(handle_, &window);
  POINT topLeft{window.left, window.top};
  if (kind_ == kKindMDIChild) ScreenToClient(GetParent(handle_), &topLeft);
  SetWindowPos(handle_, nullptr, topLeft.x, topLeft.y, Width(window) + dx, Height(window) + dy,
               SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
}

void TSkinForm::SetFrameStyles(bool restore) {
  if (SharedMaximized() && !restore) return;
  stylesRestored_ = restore;
  const DWORD style = DWORD(GetWindowLongPtrW(handle_, GWL_STYLE));
  DWORD wanted = style;
  if (restore) {
    wanted |= savedStyle_ & kBoxStyles;
    if (captionFlags_ & kCaptionRemoved) wanted |= savedStyle_ & WS_CAPTION;
  } else if (ownerWindow_ || kind_ == kKindMDIChild) {
    wanted &= ~kBoxStyles;
  } else {
    captionFlags_ |= kCaptionRemoved;
    wanted &= ~WS_CAPTION;
  }
  // the platform tells the window of every style write: only a change is written
  if (wanted != style) SetWindowLongPtrW(handle_, GWL_STYLE, LONG_PTR(wanted));
}

void TSkinForm::FrameChanged() const {
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TSkinForm::UpdateWindowState() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(handle_, &placement)) return;
  switch (placement.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      SetWindowState(kStateMinimized);
      break;
    case SW_SHOWMAXIMIZED:
      SetWindowState(kStateMaximized);
      break;
    default:
      SetWindowState(kStateNormal);
      break;
  }
}

void TSkinForm::SetWindowState(int state) {
  if (state == windowState_) return;
  const int old = windowState_;
  windowState_ = state;
  // the frame's menu bar shows the window-control buttons of a maximised MDI child
  if (kind_ == kKindMDIChild && frameSkinning_ && life_ < kLifeDestroying) {
    if (HWND frame = GetParent(GetParent(handle_))) PostMessageW(frame, kSkinMsgPaintFrame, 0, 0);
  }
  // before the window is ready its frame is the platform's; an MDI child follows the shared state
  if (!frameSkinning_ || life_ == kLifeHooked || life_ >= kLifeDestroying || kind_ == kKindMDIChild ||
      borderStyle_ == kBorderNone)
    return;
  if (state == kStateMinimized) {
    SetFrameStyles(true);
  } else if (old == kStateMinimized) {
    SetFrameStyles(false);
    FrameChanged();
  }
}

POINT TSkinForm::ScreenToFrame(int x, int y) const {
  RECT window{};
  GetWindowRect(handle_, &window);
  return {x - window.left, y - window.top};
}

LRESULT TSkinForm::FrameHitTest(POINT p) const {
  RECT window{};
  GetWindowRect(handle_, &window);
  const int w = Width(window), h = Height(window);
  if (p.x < 0 || p.y < 0 || p.x >= w || p.y >= h) return HTNOWHERE;
  if (const TSkinCaptionButton* button = FindCaptionButton(p)) return ButtonHitCode(*button);
  const bool left = p.x < frameLeft_, right = p.x >= w - frameRight_;
  const bool top = p.y < frameTop_ + menuHeight_, bottom = p.y >= h - frameBottom_;
  if (!left && !right && !top && !bottom) return HTCLIENT;
  if (sizeable_ && borderStyle_ == kBorderSizeable && windowState_ == kStateNormal) {
    // the sizing edges, with corners as long as a caption button along each edge
    const int cornerX = GetSystemMetrics(SM_CXSIZE), cornerY = GetSystemMetrics(SM_CYSIZE);
    const bool topEdge = p.y < std::min(kTopSizingRows, frameTop_);
    const bool nearLeft = p.x < std::max(frameLeft_, cornerX), nearRight = p.x >= w - std::max(frameRight_, cornerX);
    const bool nearTop = p.y < std::max(std::min(kTopSizingRows, frameTop_), cornerY);
    const bool nearBottom = p.y >= h - std::max(frameBottom_, cornerY);
    if ((topEdge && nearLeft) || (left && nearTop)) return HTTOPLEFT;
    if ((topEdge && nearRight) || (right && nearTop)) return HTTOPRIGHT;
    if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
    if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
    if (topEdge) return HTTOP;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    if (bottom) return HTBOTTOM;
  }
  if (left || right || bottom) return HTBORDER;
  return p.y < frameTop_ ? HTCAPTION : HTMENU;
}

void TSkinForm::CheckHover() {
  DropStaleCaptionButtons();
  if (trackingMenu_) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  if (hotObject_) {
    const POINT p = ScreenToFrame(cursor.x, cursor.y);
    if (!PtInRect(&hotObject_->Rect(), p)) hotObject_->MouseLeave();
  }
  // a bare window has no form to tell its hot button wrapper that the mouse left it
  if (!ownerForm_ && hotButton_) {
    RECT button{};
    if (!GetWindowRect(hotButton_->Handle(), &button) || !PtInRect(&button, cursor)) LeaveHotButton();
  }
}

void TSkinForm::LeaveHotButton() noexcept {
  TSkinControl* button = std::exchange(hotButton_, nullptr);
  if (button && button->Handle()) SendMessageW(button->Handle(), CM_MOUSELEAVE, 0, 0);
}

// --- The window procedure: stages 2 and 3 ---------------------------------------------------------

void TSkinForm::FrameMessage(TMessage& m) {
  if (kind_ != kKindMDIChild && (savedStyle_ & WS_CHILD)) return Default(m);
  const bool handled = FrameStage2(m);
  if (FrameIsSkinned()) FrameStage3(m, handled);
  else if (!handled) Default(m);
}

bool TSkinForm::FrameIsSkinned() const noexcept {
  if (kind_ == kKindMDIChild && windowState_ != kStateNormal) return false;
  return windowState_ != kStateMinimized && life_ != kLifeHooked;
}

bool TSkinForm::FrameStage2(TMessage& m) {
  switch (m.Msg) {
    case WM_SIZE:
      WmSize(m);
      return true;
    case WM_ACTIVATE:
    case WM_NCACTIVATE:
      active_ = LOBYTE(LOWORD(m.WParam)) != 0;
      return false;
    case WM_GETMINMAXINFO:
      WmGetMinMaxInfo(m);
      return true;
    case WM_WINDOWPOSCHANGED:
      WmWindowPosChanged(m);
      return true;
    case WM_COMMAND:
      WmCommand(m);
      return true;
    case WM_SYSCOMMAND:
      WmSysCommand(m);
      return true;
    case kSkinMsgMenuChanged:
      WmMenuChanged(m);
      return true;
    default:
      return false;
  }
}

void TSkinForm::FrameStage3(TMessage& m, bool handled) {
  switch (m.Msg) {
    case WM_SIZE:
      WmSize(m);
      break;
    case WM_NCCALCSIZE:
      WmNcCalcSize(m);
      break;
    case WM_NCHITTEST:
      WmNcHitTest(m);
      break;
    case WM_NCPAINT:
      WmNcPaint(m);
      break;
    case WM_NCACTIVATE:
      WmNcActivate(m);
      break;
    case WM_NCMOUSEMOVE:
      WmNcMouseMove(m);
      break;
    case WM_NCLBUTTONDOWN:
      WmNcLButtonDown(m);
      break;
    case WM_NCLBUTTONUP:
      WmNcLButtonUp(m);
      break;
    case WM_NCLBUTTONDBLCLK:
      WmNcLButtonDblClk(m);
      break;
    case WM_NCRBUTTONDOWN:
      WmNcRButtonDown(m);
      break;
    case WM_SETTEXT:
    case WM_SETICON:
      WmCaptionChanged(m);
      break;
    case kSkinMsgPaintFrame:
      PaintFrame();
      break;
    default:
      // the menu items' own drawing (WM_DRAWITEM, WM_MEASUREITEM) goes to the menu painting
      if (!handled) Default(m);
      break;
  }
}

void TSkinForm::WmSize(TMessage& m) {
  Default(m);
  switch (m.WParam) {
    case SIZE_RESTORED:
      SetWindowState(kStateNormal);
      break;
    case SIZE_MINIMIZED:
      SetWindowState(kStateMinimized);
      break;
    case SIZE_MAXIMIZED:
      SetWindowState(kStateMaximized);
      break;
    default:
      break;
  }
  if (windowState_ == kStateMinimized) return;
  if (SharedMaximized() || (kind_ == kKindMDIChild && windowState_ != kStateNormal)) return;
  if (life_ == kLifeReady || life_ == kLifeReskinning) ApplyRegion();
}

void TSkinForm::WmGetMinMaxInfo(TMessage& m) {
  Default(m);
  UpdateWindowState();
  if (windowState_ == kStateMinimized) SetFrameStyles(true);
  else if (kind_ == kKindMDIChild) SetFrameStyles(windowState_ != kStateNormal);
  else SetFrameStyles(false);
  auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
  if (borderStyle_ == kBorderSizeable) {
    info->ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
  }
  if (frameSkinning_ && kind_ != kKindMDIChild && borderStyle_ != kBorderNone) {
    // maximised, the whole skinned frame shows on the work area: the platform would push the
    // borders it reckons from the styles off the screen, and with them the top of the caption
    RECT work{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
      info->ptMaxPosition = {work.left, work.top};
      info->ptMaxSize = {Width(work), Height(work)};
    }
  }
}

void TSkinForm::WmWindowPosChanged(TMessage& m) {
  UpdateWindowState();
  Default(m);
}

void TSkinForm::WmMenuChanged(TMessage& m) {
  {
    // the window's own processing sets the native menu again: nothing of it is painted
    const bool paint = skinData_->FramePaintEnabled();
    skinData_->SetFramePaintEnabled(false);
    const ScopeExit putBack([&] { skinData_->SetFramePaintEnabled(paint); });
    Default(m);
  }
  MenuChanged();
}

void TSkinForm::WmNcCalcSize(TMessage& m) {
  if (!m.WParam) {
    Default(m);
    m.Result = 0;
    return;
  }
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
  const RECT proposed = params->rgrc[0];  // the new window rectangle
  Default(m);
  if (borderStyle_ == kBorderNone || (kind_ == kKindMDIChild && windowState_ != kStateNormal)) {
    params->rgrc[1] = params->rgrc[0];
    m.Result = WVR_VALIDRECTS;
    return;
  }
  RECT client{proposed.left + frameLeft_, proposed.top + frameTop_ + menuHeight_, proposed.right - frameRight_,
              proposed.bottom - frameBottom_};
  client.right = std::max(client.right, client.left);
  client.bottom = std::max(client.bottom, client.top);
  params->rgrc[0] = params->rgrc[1] = client;
  m.Result = WVR_VALIDRECTS;
}

void TSkinForm::WmNcHitTest(TMessage& m) {
  Default(m);
  const POINT p = ScreenToFrame(PointX(m.LParam), PointY(m.LParam));
  const LRESULT code = FrameHitTest(p);
  // the client area keeps what the window's own procedure says of it, unless that is a piece of the
  // frame the platform reckons from the styles
  if (code == HTCLIENT && !IsFrameCode(m.Result)) return;
  m.Result = code;
}

void TSkinForm::WmNcPaint(TMessage& m) {
  m.Result = 0;
  if (!skinData_->FramePaintEnabled()) return;  // the menu is being changed: nothing to paint now
  if (borderStyle_ == kBorderNone || (kind_ == kKindMDIChild && windowState_ != kStateNormal)) return Default(m);
  PaintFrame();
}

void TSkinForm::WmNcActivate(TMessage& m) {
  active_ = LOBYTE(LOWORD(m.WParam)) != 0;
  hoverTimer_->SetEnabled(active_);
  if (!active_) LeaveHotButton();  // no button of an inactive window looks hot
  // the active MDI child's caption follows its frame's
  if (kind_ == kKindMDIFrame && mdiClientWindow_) SendMessageW(mdiClientWindow_, WM_NCACTIVATE, m.WParam, 0);
  if (!(kind_ == kKindMDIChild && windowState_ != kStateNormal)) PaintFrame();
  m.Result = 1;  // the platform draws nothing itself
}

void TSkinForm::WmCaptionChanged(TMessage& m) {
  Default(m);
  if (m.Msg == WM_SETICON) LoadWindowIcon();
  PaintFrame();
}

}  // namespace bus
