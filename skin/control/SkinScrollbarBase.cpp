#include "skin/control/SkinScrollbarBase.h"

#include <utility>

#include "framework/controls/WinControl.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/WScrollbar.h"

namespace bus {

namespace {

// A message after which no scroll bar can have changed: frequent ones (hit tests, the cursor, mouse
// moves with no button held), paints (PaintTo follows the bars) and colour and text queries.
bool LeavesScrollBarsAlone(const TMessage& m) noexcept {
  switch (m.Msg) {
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_NCMOUSEMOVE:
    case WM_MOUSEACTIVATE:
    case WM_GETDLGCODE:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETFONT:
    case WM_GETOBJECT:
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_PRINTCLIENT:
    case WM_NCCALCSIZE:
    case WM_WINDOWPOSCHANGING:
    case WM_DESTROY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSCROLLBAR:
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      return true;
    case WM_MOUSEMOVE:  // with a button held an edit selecting text scrolls itself
      return (m.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0;
    default:
      return false;
  }
}

}  // namespace

TSkinScrollbarBase::~TSkinScrollbarBase() { ReleaseBars(); }

void TSkinScrollbarBase::AddBar(TWinControl* control, HWND window, int barKind) {
  TWScrollbar*& slot = bars_[std::size_t(barKind)];
  if (slot) return;
  TComponentHolder<TWScrollbar> bar(new TWScrollbar(this));
  if (control) bar->AttachToControl(this, *control, barKind);
  else bar->AttachToWindow(this, window, barKind);
  slot = bar.release();
  PaintCorner();  // the window does not repaint for an overlay's coming
}

void TSkinScrollbarBase::UpdateBars() { PlaceBars(); }

bool TSkinScrollbarBase::PlaceBars() {
  bool changed = false;
  for (TWScrollbar* bar : bars_)
    if (bar && bar->UpdatePosition(Handle())) changed = true;
  return changed;
}

void TSkinScrollbarBase::HideBars() {
  for (TWScrollbar* bar : bars_)
    if (bar) bar->HideBar();
}

void TSkinScrollbarBase::InvalidateShownBars() {
  for (TWScrollbar* bar : bars_)
    if (bar && bar->Shown()) bar->Invalidate();
}

void TSkinScrollbarBase::ReleaseBars() noexcept {
  for (TWScrollbar*& bar : bars_)
    if (TWScrollbar* gone = std::exchange(bar, nullptr)) gone->Dispose();
}

void TSkinScrollbarBase::Detach() {
  TSkinControl::Detach();
  if (Status() == kWrapperGone) HideBars();
  else ReleaseBars();
}

void TSkinScrollbarBase::BeforeDestruction() {
  ReleaseBars();  // before the owned components go: an overlay handing on a press goes after it
  TSkinControl::BeforeDestruction();
}

void TSkinScrollbarBase::AfterDefault(TMessage& m) {
  TSkinControl::AfterDefault(m);
  switch (m.Msg) {
    case WM_SIZE:
      Repaint();
      break;
    case WM_NCPAINT:  // after the window's own frame: the bars placed, the corner painted
      PaintWindow(nullptr);
      return;
    case kSkinMsgSwitch:
      if (!Active()) return HideBars();
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (m.LParam == 0)
        if (TWScrollbar* bar = Bar(m.Msg == WM_HSCROLL ? kBarHorizontal : kBarVertical)) bar->SetHitCode(LOWORD(m.WParam));
      break;
    case WM_MOUSEWHEEL:
      InvalidateShownBars();
      break;
    case CM_VISIBLECHANGED:
      if (m.WParam == 0) return HideBars();
      break;
    default:
      break;
  }
  if (!LeavesScrollBarsAlone(m) && PlaceBars()) PaintCorner();
}

void TSkinScrollbarBase::PaintTo(HDC dc, const RECT&) {
  PlaceBars();
  FillCorner(dc, WindowRect());
}

void TSkinScrollbarBase::SkinChanged() {
  TSkinControl::SkinChanged();
  PlaceBars();
  InvalidateShownBars();
}

void TSkinScrollbarBase::PaintCorner() {
  RECT window{};
  if (!GetWindowRect(Handle(), &window)) return;
  if (const WindowDC dc = WindowDC::Whole(Handle())) FillCorner(dc.Get(), window);
}

void TSkinScrollbarBase::FillCorner(HDC dc, const RECT& window) const {
  const TWScrollbar* horz = Bar(kBarHorizontal);
  const TWScrollbar* vert = Bar(kBarVertical);
  if (!horz || !vert || !horz->Shown() || !vert->Shown()) return;
  const RECT h = horz->ScreenRect(), v = vert->ScreenRect();
  RECT corner{v.left, h.top, v.right, h.bottom};
  OffsetRect(&corner, -window.left, -window.top);
  FillFace(dc, corner);
}

}  // namespace bus
