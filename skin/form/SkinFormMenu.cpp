// The menu bar of TSkinForm: making it, opening its drop-downs, its keyboard accelerators, and the
// menu loop that moves between its items while a drop-down is open.
#include <windows.h>

#include <algorithm>

#include "core/ScopeExit.h"
#include "framework/controls/Form.h"
#include "framework/controls/Menus.h"
#include "skin/data/SkinData.h"
#include "skin/form/MenuBtn.h"
#include "skin/form/SkinCaptionButton.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"
#include "skin/form/SkinMenuBar.h"

namespace bus {

namespace {

// WM_MENUSELECT's item word when the menu closes.
constexpr UINT kMenuClosed = 0xFFFF;

// A key that is down in a keyboard state.
bool Down(const BYTE (&keys)[256], int key) { return (keys[key] & 0x80) != 0; }

// The framework item of the open menu that was selected: by its sub-menu or by its command.
TMenuItem* SelectedItem(TSkinForm& form, HMENU menu, UINT item, UINT flags) {
  TSkinMenuBar* bar = form.MenuBar();
  if (!bar || !bar->Menu()) return nullptr;
  if (flags & MF_POPUP) {
    HMENU sub = GetSubMenu(menu, int(item));
    return sub ? bar->Menu()->FindItem(UINT(UINT_PTR(sub)), false) : nullptr;
  }
  return bar->Menu()->FindItem(item, true);
}

// The top level of the drop-down being tracked: the item lies in it, or is it.
bool AtTopLevel(const TMenuItem* item, HMENU tracked) {
  if (!item || !tracked) return true;
  return item->Handle() == tracked || (item->Parent() && item->Parent()->Handle() == tracked);
}

LRESULT CALLBACK MenuFilterProc(int code, WPARAM wParam, LPARAM lParam) {
  TMenuTracking& tracking = MenuTracking();
  auto* m = reinterpret_cast<MSG*>(lParam);
  TSkinForm* form = tracking.trackingForm;
  // a right-to-left menu runs its arrow keys the other way
  if (code >= 0 && m && tracking.currentMenuItem && form && form->RightToLeft() &&
      (m->message == WM_KEYDOWN || m->message == WM_KEYUP)) {
    if (m->wParam == VK_LEFT) m->wParam = VK_RIGHT;
    else if (m->wParam == VK_RIGHT) m->wParam = VK_LEFT;
  }
  const LRESULT next = CallNextHookEx(tracking.menuFilterHook, code, wParam, lParam);
  if (next || code != MSGF_MENU || !m || !form || !form->MenuBar()) return next;
  if (!tracking.firstMessageSeen) {
    // the first item of the menu just opened is selected, as when it is opened from the keyboard
    tracking.firstMessageSeen = true;
    PostMessageW(m->hwnd, WM_KEYDOWN, VK_DOWN, 0);
  }
  TMenuBtn* target = nullptr;
  switch (m->message) {
    case WM_KEYDOWN:
      if (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE) {
        tracking.switchPending = false;
      } else if (m->wParam == VK_RIGHT) {
        if (!tracking.currentMenuItem || tracking.currentMenuItem->Count() == 0) target = NeighbourItem(true);
      } else if (m->wParam == VK_LEFT) {
        if (AtTopLevel(tracking.currentMenuItem, form->TrackedSubMenu())) target = NeighbourItem(false);
      }
      break;
    case WM_SYSKEYDOWN:
      if (m->wParam == VK_MENU) {
        form->EndMenuTracking();
        return 0;
      }
      break;
    case WM_MENUSELECT:
      form->MenuSelected(m->wParam, m->lParam);
      return 0;
    case WM_MOUSEMOVE: {
      const POINT p = m->pt;  // on the screen
      if (p.x != tracking.lastMousePoint.x || p.y != tracking.lastMousePoint.y) {
        target = form->MenuBar()->FindItem(form->ScreenToFrame(p.x, p.y));
        tracking.lastMousePoint = p;
      }
      break;
    }
    default:
      break;
  }
  if (target && target->Index() != tracking.activeIndex) {
    tracking.switchPending = true;
    form->PostMenuClick(*target);
  }
  return 0;
}

}  // namespace

// --- The menu loop ----------------------------------------------------------------------------

TMenuTracking& MenuTracking() noexcept {
  static TMenuTracking tracking;  // one menu is tracked at a time, on the user-interface thread
  return tracking;
}

void InstallMenuFilter() {
  TMenuTracking& tracking = MenuTracking();
  tracking.switchPending = false;
  tracking.firstMessageSeen = false;
  GetCursorPos(&tracking.lastMousePoint);
  if (!tracking.menuFilterHook)
    tracking.menuFilterHook = SetWindowsHookExW(WH_MSGFILTER, MenuFilterProc, nullptr, GetCurrentThreadId());
}

void RemoveMenuFilter() noexcept {
  TMenuTracking& tracking = MenuTracking();
  if (tracking.menuFilterHook) UnhookWindowsHookEx(tracking.menuFilterHook);
  tracking.menuFilterHook = nullptr;
  tracking.currentMenuItem = nullptr;
  tracking.activeIndex = -1;
  tracking.firstMessageSeen = false;
}

TMenuBtn* NeighbourItem(bool forward) {
  const TMenuTracking& tracking = MenuTracking();
  TSkinMenuBar* bar = tracking.trackingForm ? tracking.trackingForm->MenuBar() : nullptr;
  if (!bar || bar->Count() == 0) return nullptr;
  const int count = bar->Count();
  // items the bar does not show cannot be pressed: they are passed over
  for (int step = 1; step <= count; ++step) {
    const int index = ((tracking.activeIndex + (forward ? step : -step)) % count + count) % count;
    TMenuBtn* item = bar->Items(index);
    if (item->Visible() && !item->Caption().empty()) return item;
  }
  return nullptr;
}

void TidySeparators(TMenuItem* item) {
  if (!item) return;
  const int count = item->Count();
  int first = -1, last = -1;
  for (int i = 0; i < count; ++i) {
    const TMenuItem* sub = item->Items(i);
    if (sub->IsLine() || !sub->Visible()) continue;
    if (first < 0) first = i;
    last = i;
  }
  for (int i = 0; i < count; ++i) {
    TMenuItem* sub = item->Items(i);
    if (!sub->IsLine()) continue;
    // between the first and the last visible ordinary item, the last separator of a run shows
    bool show = first >= 0 && i > first && i < last;
    for (int k = i + 1; show && k < count; ++k) {
      const TMenuItem* after = item->Items(k);
      if (after->IsLine()) show = false;
      else if (after->Visible()) break;
    }
    if (sub->Visible() != show) sub->SetVisible(show);
  }
}

// --- The menu bar -----------------------------------------------------------------------------

void TSkinForm::CreateMenuBar() {
  menuBar_ = std::make_unique<TSkinMenuBar>(*this, skinData_);
  menuHeight_ = GetSystemMetrics(SM_CYMENU);
  if (ownerForm_) menuBar_->SetMenu(ownerForm_->Menu());
  menuBar_->BuildFromFormMenu();
}

void TSkinForm::MenuChanged() {
  if (!menuBar_) return;
  if (skinData_->MenuUpdate() && GetMenu(handle_)) {
    if (skinData_->MenuMerge()) menuBar_->BuildFromWindowMenu();
    else menuBar_->BuildFromFormMenu();
    return;
  }
  // the bar does not follow the change; the platform still draws no bar of its own
  if (HMENU menu = GetMenu(handle_)) {
    menuBar_->SetMenuHandle(menu);
    ::SetMenu(handle_, nullptr);
  }
}

void TSkinForm::GiveMenuBack() {
  if (!menuBar_) return;
  // the menu the bar shows; a form's menu may have been made anew since (the old one destroyed)
  HMENU menu = menuBar_->MenuHandle();
  if ((!menu || !IsMenu(menu)) && menuBar_->Menu()) menu = menuBar_->Menu()->Handle();
  menuBar_.reset();
  if (menu && IsMenu(menu) && !GetMenu(handle_)) ::SetMenu(handle_, menu);
}

TNCObject* TSkinForm::FindNCObject(POINT p) const {
  if (TSkinCaptionButton* button = FindCaptionButton(p)) return button;
  return menuBar_ ? menuBar_->FindItem(p) : nullptr;
}

TMenuBtn* TSkinForm::FindAccelItem(wchar_t ch) const { return menuBar_ ? menuBar_->FindAccelItem(ch) : nullptr; }

void TSkinForm::PostMenuClick(const TMenuBtn& item) const {
  RECT window{};
  GetWindowRect(handle_, &window);
  const int x = item.Rect().left + window.left + 1, y = item.Rect().top + window.top + 1;
  PostMessageW(handle_, WM_NCLBUTTONDOWN, HTCLIENT, MAKELPARAM(x, y));
}

bool TSkinForm::OpenMenu(TMenuBtn& pressed) {
  PostMessageW(handle_, WM_COMMAND, pressed.Command(), 0);
  if (!pressed.SubMenu()) return false;
  const int index = pressed.Index();
  if (TMenuItem* source = pressed.MenuItem()) {
    TidySeparators(source);
    // a changed menu may have been made anew, and the bar with it
    if (TMenu* menu = source->GetParentMenu()) menu->Handle();
  }
  TMenuBtn* item = menuBar_ ? menuBar_->Items(index) : nullptr;
  if (!item) return false;
  if (item->MenuItem()) item->SetSubMenu(item->MenuItem()->Count() > 0 ? item->MenuItem()->Handle() : nullptr);
  HMENU subMenu = item->SubMenu();
  if (!subMenu) return false;

  TMenuTracking& tracking = MenuTracking();
  tracking.activeIndex = index;
  tracking.trackingForm = this;
  RECT window{};
  GetWindowRect(handle_, &window);
  MarkOwnerDraw(subMenu);
  trackingMenu_ = true;
  if (SkinManager) SkinManager->SetMenuMode(kMenuModeDropDown);
  trackedSubMenu_ = subMenu;
  const POINT at{item->Rect().left + window.left, item->Rect().bottom + window.top};
  const bool enabled = item->Enabled();
  {
    InstallMenuFilter();
    const ScopeExit filterOff([] { RemoveMenuFilter(); });
    if (enabled) TrackPopupMenu(subMenu, TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, handle_, nullptr);
  }
  trackingMenu_ = false;
  trackedSubMenu_ = nullptr;
  if (tracking.trackingForm == this) tracking.trackingForm = nullptr;
  // the item is pressed no longer; the mouse may still be over it
  if (TMenuBtn* after = menuBar_ ? menuBar_->Items(index) : nullptr; after && hotObject_ == after) after->MouseLeave();
  return true;
}

void TSkinForm::MarkOwnerDraw(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(menu, UINT(i), TRUE, &info)) continue;
    if (!(info.fType & MFT_OWNERDRAW)) {
      info.fMask = MIIM_FTYPE;
      info.fType |= MFT_OWNERDRAW;
      SetMenuItemInfoW(menu, UINT(i), TRUE, &info);
    }
    if (info.hSubMenu) MarkOwnerDraw(info.hSubMenu);
  }
}

void TSkinForm::MenuSelected(WPARAM wParam, LPARAM lParam) {
  TMenuTracking& tracking = MenuTracking();
  if (tracking.trackingForm != this) return;
  const auto menu = reinterpret_cast<HMENU>(lParam);
  if (LOWORD(wParam) == kMenuClosed && !menu) {
    if (!tracking.switchPending) EndMenuTracking();
    return;
  }
  tracking.switchPending = false;
  tracking.currentMenuItem = SelectedItem(*this, menu, LOWORD(wParam), HIWORD(wParam));
}

bool TSkinForm::KeyMenu(LPARAM key) {
  if (key != 0) {
    // a letter of a bar item opens it (a form's letters come as dialog characters first)
    TMenuBtn* item = FindAccelItem(wchar_t(key));
    if (item) PostMenuClick(*item);
    return item != nullptr;
  }
  // Alt or F10 alone: the bar's first item drops down (the Alt that closes a menu never gets here:
  // the menu's loop takes its key)
  if (!menuBar_) return true;
  for (int i = 0; i < menuBar_->Count(); ++i) {
    const TMenuBtn* item = menuBar_->Items(i);
    if (item->Visible() && item->Enabled() && !item->Caption().empty()) {
      PostMenuClick(*item);
      break;
    }
  }
  return true;
}

bool TSkinForm::WmDialogChar(TMessage& m) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  TMenuBtn* item = FindAccelItem(wchar_t(m.WParam));
  const bool altOnly = Down(keys, VK_MENU) && !Down(keys, VK_SHIFT) && !Down(keys, VK_CONTROL) &&
                       !Down(keys, VK_LBUTTON) && !Down(keys, VK_RBUTTON) && !Down(keys, VK_MBUTTON);
  if (item && altOnly) {
    PostMenuClick(*item);
    m.Result = 1;
    return true;
  }
  // an MDI child's letters may be the frame's
  if (kind_ == kKindMDIChild && SkinManager && SkinManager->MDIForm() &&
      SkinManager->MDIForm()->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) {
    m.Result = 1;
    return true;
  }
  return false;
}

}  // namespace bus
