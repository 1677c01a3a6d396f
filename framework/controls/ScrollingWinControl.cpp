#include "framework/controls/ScrollingWinControl.h"

#include <windowsx.h>

#include <algorithm>

#include "core/ScopedValue.h"
#include "framework/Properties.h"

namespace bus {

const TClassInfo& TControlScrollBar::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TControlScrollBar>("TControlScrollBar", TPersistent::StaticClassInfo())
          .Int("Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange, 0)
          .Int("Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition, 0)
          .Int("Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement, 8)
          .Bool("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible, true)
          .Build();
  return info;
}

int TControlScrollBar::ClientExtent() const {
  const RECT r = control_.ClientRect();
  return kind_ == TScrollBarKind::sbHorizontal ? r.right - r.left : r.bottom - r.top;
}

int TControlScrollBar::MaxPosition() const { return std::max(range_ - ClientExtent(), 0); }

bool TControlScrollBar::IsScrollBarVisible() const { return visible_ && range_ > ClientExtent(); }

void TControlScrollBar::SetRange(int v) {
  range_ = std::max(v, 0);
  control_.UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool v) {
  visible_ = v;
  control_.UpdateScrollBars();
}

// While a description is read the position is only noted: the children it places stand where
// they are seen at that position.
void TControlScrollBar::SetPosition(int v) {
  if (control_.Loading()) {
    position_ = std::max(v, 0);
    return;
  }
  v = std::clamp(v, 0, visible_ ? MaxPosition() : 0);
  const int delta = v - position_;
  position_ = v;
  if (delta != 0) {
    if (kind_ == TScrollBarKind::sbHorizontal) control_.ScrollBy(-delta, 0);
    else control_.ScrollBy(0, -delta);
  }
  Apply();
}

void TControlScrollBar::Apply() {
  HWND h = control_.HandleIfAllocated();
  if (!h) return;
  const int bar = kind_ == TScrollBarKind::sbHorizontal ? SB_HORZ : SB_VERT;
  const bool shown = IsScrollBarVisible();
  ShowScrollBar(h, bar, shown);
  if (!shown) return;
  const SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, range_ - 1, UINT(ClientExtent()), position_, 0};
  control_.ApplyScrollInfo(bar, si);
}

void TControlScrollBar::Scroll(WORD code) {
  int pos = position_;
  switch (code) {
    case SB_LINEUP:
      pos -= increment_;
      break;
    case SB_LINEDOWN:
      pos += increment_;
      break;
    case SB_PAGEUP:
      pos -= ClientExtent();
      break;
    case SB_PAGEDOWN:
      pos += ClientExtent();
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(control_.HandleIfAllocated(), kind_ == TScrollBarKind::sbHorizontal ? SB_HORZ : SB_VERT, &si);
      pos = si.nTrackPos;
      break;
    }
    case SB_TOP:
      pos = 0;
      break;
    case SB_BOTTOM:
      pos = MaxPosition();
      break;
    default:
      return;
  }
  SetPosition(pos);
}

const TClassInfo& TScrollingWinControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TScrollingWinControl>("TScrollingWinControl", TWinControl::StaticClassInfo())
          .Bool("AutoScroll", &TScrollingWinControl::AutoScroll, &TScrollingWinControl::SetAutoScroll, true)
          .Object<TControlScrollBar>("HorzScrollBar", &TScrollingWinControl::HorzScrollBar)
          .Object<TControlScrollBar>("VertScrollBar", &TScrollingWinControl::VertScrollBar)
          .Build();
  return info;
}

TScrollingWinControl::TScrollingWinControl(TComponent* owner)
    : TWinControl(owner),
      horz_(std::make_unique<TControlScrollBar>(*this, TScrollBarKind::sbHorizontal)),
      vert_(std::make_unique<TControlScrollBar>(*this, TScrollBarKind::sbVertical)) {}

TScrollingWinControl::~TScrollingWinControl() = default;

// Without AutoScroll the ranges are only what is set: none at first.
void TScrollingWinControl::SetAutoScroll(bool v) {
  if (v == autoScroll_) return;
  autoScroll_ = v;
  if (!v) horz_->range_ = vert_->range_ = 0;
  UpdateScrollBars();
}

void TScrollingWinControl::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateScrollBars();
}

void TScrollingWinControl::Aligned() { UpdateScrollBars(); }

void TScrollingWinControl::ScrollBy(int dx, int dy) {
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Align() == TAlign::alNone) c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
  }
  Invalidate();
}

// The contents reach as far as the farthest child, counted from the contents' start. Showing one
// bar narrows the client area, which may call for the other: the bars are settled in turns until
// the client area stays as it is.
void TScrollingWinControl::UpdateScrollBars() {
  if (updatingBars_ || Loading() || Destroying()) return;
  ScopedValue guard(updatingBars_, true);
  if (autoScroll_) {
    int right = 0, bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
      const TControl* c = Controls(i);
      if (!c->Visible() || c->Align() != TAlign::alNone) continue;
      right = std::max(right, c->Left() + c->Width() + horz_->position_);
      bottom = std::max(bottom, c->Top() + c->Height() + vert_->position_);
    }
    horz_->range_ = right;
    vert_->range_ = bottom;
  }
  for (int pass = 0; pass < 3; ++pass) {
    const RECT before = ClientRect();
    horz_->Apply();
    vert_->Apply();
    const RECT after = ClientRect();
    if (EqualRect(&before, &after)) break;
  }
  horz_->SetPosition(horz_->position_);  // a larger client area may leave less to scroll
  vert_->SetPosition(vert_->position_);
}

void TScrollingWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (m.LParam != 0) break;  // a child scroll bar's: reflected to it
      (m.Msg == WM_HSCROLL ? horz_ : vert_)->Scroll(LOWORD(m.WParam));
      m.Result = 0;
      return;
    case WM_MOUSEWHEEL:
      if (!vert_->IsScrollBarVisible()) break;
      vert_->SetPosition(vert_->position_ - GET_WHEEL_DELTA_WPARAM(m.WParam) / WHEEL_DELTA * 3 * vert_->increment_);
      m.Result = 0;
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

}  // namespace bus
