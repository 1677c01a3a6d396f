#include "framework/controls/TabControl.h"

#include <commctrl.h>

#include <algorithm>

#include "core/ScopedValue.h"
#include "core/WideText.h"
#include "framework/Properties.h"

namespace bus {

namespace {
const TIdentList kTabPositions{"tpTop", "tpBottom", "tpLeft", "tpRight"};

DWORD TabPositionStyle(TTabPosition position) {
  switch (position) {
    case TTabPosition::tpBottom:
      return TCS_BOTTOM;
    case TTabPosition::tpLeft:
      return TCS_VERTICAL | TCS_MULTILINE;
    case TTabPosition::tpRight:
      return TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE;
    default:
      return 0;
  }
}
constexpr DWORD kTabPositionBits = TCS_BOTTOM | TCS_VERTICAL | TCS_MULTILINE;
}  // namespace

const TClassInfo& TCustomTabControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomTabControl>("TCustomTabControl", TWinControl::StaticClassInfo())
          .Enum("TabPosition", &TCustomTabControl::TabPosition, &TCustomTabControl::SetTabPosition, kTabPositions,
                TTabPosition::tpTop)
          .Event("OnChange", &TCustomTabControl::OnChange)
          .Event("OnChanging", &TCustomTabControl::OnChanging)
          .Build();
  return info;
}

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner) {
  clickOnMouseUp_ = false;  // tab changes are the control's own events
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

void TCustomTabControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.sysClassName = WC_TABCONTROLW;
  p.style |= WS_CLIPCHILDREN | TabPositionStyle(tabPosition_);
}

void TCustomTabControl::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateTabs();
}

void TCustomTabControl::SetTabPosition(TTabPosition v) {
  if (v == tabPosition_) return;
  tabPosition_ = v;
  HWND h = HandleIfAllocated();
  if (!h) return;
  const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE) & ~LONG_PTR(kTabPositionBits);
  SetWindowLongPtrW(h, GWL_STYLE, style | LONG_PTR(TabPositionStyle(v)));
  SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(h, nullptr, TRUE);
  TabsMoved();
}

RECT TCustomTabControl::DisplayRect() {
  RECT r = ClientRect();
  if (HWND h = HandleIfAllocated()) TabCtrl_AdjustRect(h, FALSE, &r);
  return r;
}

RECT TCustomTabControl::TabRect(int index) {
  RECT r{};
  if (HWND h = HandleIfAllocated(); !h || !TabCtrl_GetItemRect(h, index, &r)) r = {};
  return r;
}

void TCustomTabControl::UpdateTabs() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  ScopedValue quiet(settingTabs_, true);
  const TStringList captions = TabCaptions();
  const int count = captions.Count();
  while (TabCtrl_GetItemCount(h) > count) TabCtrl_DeleteItem(h, TabCtrl_GetItemCount(h) - 1);
  for (int i = 0; i < count; ++i) {
    std::wstring text = Widen(captions[i]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    if (i < TabCtrl_GetItemCount(h)) SendMessageW(h, TCM_SETITEMW, WPARAM(i), LPARAM(&item));
    else SendMessageW(h, TCM_INSERTITEMW, WPARAM(i), LPARAM(&item));
  }
  TabCtrl_SetCurSel(h, CurrentTab());
  TabsMoved();
}

void TCustomTabControl::SelectTab(int index) {
  HWND h = HandleIfAllocated();
  if (!h) return;
  ScopedValue quiet(settingTabs_, true);
  TabCtrl_SetCurSel(h, index);
}

bool TCustomTabControl::CanChange() {
  bool allow = true;
  OnChanging(this, allow);
  return allow;
}

// TCN_SELCHANGING answers TRUE to keep the current tab.
void TCustomTabControl::CnNotify(TMessage& m) {
  const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
  if (settingTabs_) return;
  switch (header->code) {
    case TCN_SELCHANGING:
      m.Result = CanChange() ? FALSE : TRUE;
      break;
    case TCN_SELCHANGE:
      Change(TabCtrl_GetCurSel(HandleIfAllocated()));
      break;
    default:
      break;
  }
}

void TCustomTabControl::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY) return CnNotify(m);
  TWinControl::WndProc(m);
  if (m.Msg == WM_SIZE || m.Msg == CM_FONTCHANGED) TabsMoved();
}

const TClassInfo& TTabControl::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTabControl>("TTabControl", TCustomTabControl::StaticClassInfo())
                                     .Creatable()
                                     .Strings("Tabs", &TTabControl::TabsValue, &TTabControl::SetTabsValue)
                                     .Int("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex, -1)
                                     .Build();
  return info;
}

TTabControl::TTabControl(TComponent* owner) : TCustomTabControl(owner) {
  tabs_.OnChange = [this] {
    if (tabIndex_ >= tabs_.Count()) tabIndex_ = tabs_.Count() - 1;
    if (tabIndex_ < 0 && tabs_.Count() > 0) tabIndex_ = 0;  // as the platform does with a first tab
    UpdateTabs();
  };
}

void TTabControl::SetTabIndex(int v) {
  if (v < -1 || (!Loading() && v >= tabs_.Count())) v = -1;
  tabIndex_ = v;
  SelectTab(v);
}

void TTabControl::Loaded() {
  TCustomTabControl::Loaded();
  if (tabIndex_ >= tabs_.Count()) tabIndex_ = tabs_.Count() - 1;
  SelectTab(tabIndex_);
}

void TTabControl::Change(int index) {
  tabIndex_ = index;
  OnChange(this);
}

}  // namespace bus
