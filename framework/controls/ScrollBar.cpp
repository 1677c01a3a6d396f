#include "framework/controls/ScrollBar.h"

#include <algorithm>

#include "framework/Properties.h"

namespace bus {

namespace {
const TIdentList kKinds{"sbHorizontal", "sbVertical"};
}

const TClassInfo& TScrollBar::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TScrollBar>("TScrollBar", TRangeControl::StaticClassInfo())
          .Creatable()
          .Enum("Kind", &TScrollBar::Kind, &TScrollBar::SetKind, kKinds, TScrollBarKind::sbHorizontal)
          .Int("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize, 0)
          .Int("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange, 1)
          .Int("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange, 1)
          .Event("OnScroll", &TScrollBar::OnScroll)
          .Event("OnChange", &TScrollBar::OnChange)
          .Build();
  return info;
}

TScrollBar::TScrollBar(TComponent* owner) : TRangeControl(owner, 0, 100) {
  clickOnMouseUp_ = false;  // the control reports its own scrolls
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
  SetTabStop(true);
}

void TScrollBar::CreateParams(TCreateParams& p) {
  TRangeControl::CreateParams(p);
  p.sysClassName = L"SCROLLBAR";
  p.style |= kind_ == TScrollBarKind::sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::ApplyRange() {
  const SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, range_.Min(), range_.Max(),
                      UINT(range_.Page()), range_.Position(), 0};
  ApplyScrollInfo(SB_CTL, si);
}

void TScrollBar::SetKind(TScrollBarKind v) {
  if (v == kind_) return;
  kind_ = v;
  if (!Loading()) SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TScrollBar::SetPageSize(int v) {
  range_.SetPage(v);
  SettingsChanged();
}

// A native scroll bar only reports what the user asks for; the control works out the new
// position, lets OnScroll change it, and moves the thumb there.
void TScrollBar::CnScroll(TMessage& m) {
  const WORD code = LOWORD(m.WParam);
  int pos = range_.Position();
  TScrollCode scrollCode = TScrollCode::scEndScroll;
  switch (code) {
    case SB_LINEUP:
      scrollCode = TScrollCode::scLineUp;
      pos -= smallChange_;
      break;
    case SB_LINEDOWN:
      scrollCode = TScrollCode::scLineDown;
      pos += smallChange_;
      break;
    case SB_PAGEUP:
      scrollCode = TScrollCode::scPageUp;
      pos -= largeChange_;
      break;
    case SB_PAGEDOWN:
      scrollCode = TScrollCode::scPageDown;
      pos += largeChange_;
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      scrollCode = code == SB_THUMBTRACK ? TScrollCode::scTrack : TScrollCode::scPosition;
      SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(HandleIfAllocated(), SB_CTL, &si);  // 32-bit, unlike the message's 16 bits
      pos = si.nTrackPos;
      break;
    }
    case SB_TOP:
      scrollCode = TScrollCode::scTop;
      pos = range_.Min();
      break;
    case SB_BOTTOM:
      scrollCode = TScrollCode::scBottom;
      pos = MaxPosition();
      break;
    default:
      break;
  }
  pos = range_.Clamp(pos);
  OnScroll(this, scrollCode, pos);
  pos = range_.Clamp(pos);
  if (pos == range_.Position()) return;
  SetPosition(pos);
  OnChange(this);
}

void TScrollBar::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL:
      return CnScroll(m);
    case CN_CTLCOLORSCROLLBAR:  // the platform's own scroll bar colours
      m.Result = DefWindowProcW(GetParent(HandleIfAllocated()), WM_CTLCOLORSCROLLBAR, m.WParam, m.LParam);
      return;
    default:
      return TRangeControl::WndProc(m);
  }
}

}  // namespace bus
