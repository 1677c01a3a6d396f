#include "tray/TrayIcon.h"

#include <algorithm>
#include <cwchar>

#include "core/WideText.h"
#include "framework/ClassRegistry.h"
#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/ImageList.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Screen.h"
#include "framework/controls/Timer.h"
#include "framework/controls/UtilWindow.h"
#include "framework/controls/WindowSubclass.h"
#include "framework/graphics/Icon.h"

namespace bus {

namespace {

TShellNotifyIcon& ShellCall() {
  static TShellNotifyIcon call;  // empty: the platform's own
  return call;
}

// Broadcast by the shell when it (re)starts: icons added before are gone.
UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

// Shift, Ctrl and Alt as the keyboard has them now, plus the button concerned.
TShiftState ButtonShiftState(TMouseButton button) {
  TShiftState shift = KeyboardShiftState();
  shift.Include(button == TMouseButton::mbLeft    ? TShiftStateFlag::ssLeft
                : button == TMouseButton::mbRight ? TShiftStateFlag::ssRight
                                                  : TShiftStateFlag::ssMiddle);
  return shift;
}

POINT CursorPosition() {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

}  // namespace

const TClassInfo& TTrayIcon::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TTrayIcon>("TTrayIcon", TComponent::StaticClassInfo())
          .Creatable()
          .Bool("DesignPreview", &TTrayIcon::DesignPreview, &TTrayIcon::SetDesignPreview, false)
          .Reference<TImageList>("IconList", &TTrayIcon::IconList, &TTrayIcon::SetIconList)
          .Bool("CycleIcons", &TTrayIcon::CycleIcons, &TTrayIcon::SetCycleIcons, false)
          .Int("CycleInterval", &TTrayIcon::CycleInterval, &TTrayIcon::SetCycleInterval, 0)
          .Bool("Enabled", &TTrayIcon::Enabled, &TTrayIcon::SetEnabled, true)
          .Text("Hint", &TTrayIcon::Hint, &TTrayIcon::SetHint)
          .Bool("ShowHint", &TTrayIcon::ShowHint, &TTrayIcon::SetShowHint, false)
          .Binary("Icon", &TTrayIcon::ReadIcon)
          .Bool("IconVisible", &TTrayIcon::IconVisible, &TTrayIcon::SetIconVisible, true)
          .Int("IconIndex", &TTrayIcon::IconIndex, &TTrayIcon::SetIconIndex, 0)
          .Reference<TPopupMenu>("PopupMenu", &TTrayIcon::PopupMenu, &TTrayIcon::SetPopupMenu)
          .Bool("LeftPopup", &TTrayIcon::LeftPopup, &TTrayIcon::SetLeftPopup, false)
          .Bool("StartMinimized", &TTrayIcon::StartMinimized, &TTrayIcon::SetStartMinimized, false)
          .Bool("MinimizeToTray", &TTrayIcon::MinimizeToTray, &TTrayIcon::SetMinimizeToTray, false)
          .Event("OnClick", &TTrayIcon::OnClick)
          .Event("OnDblClick", &TTrayIcon::OnDblClick)
          .Event("OnMouseDown", &TTrayIcon::OnMouseDown)
          .Event("OnMouseUp", &TTrayIcon::OnMouseUp)
          .Event("OnMouseMove", &TTrayIcon::OnMouseMove)
          .Event("OnCycle", &TTrayIcon::OnCycle)
          .Build();
  return info;
}

void RegisterTrayClasses() { RegisterClasses({&TTrayIcon::StaticClassInfo()}); }

TShellNotifyIcon TTrayIcon::SetShellNotifyIcon(TShellNotifyIcon call) {
  TShellNotifyIcon previous = std::move(ShellCall());
  ShellCall() = std::move(call);
  return previous;
}

TTrayIcon::TTrayIcon(TComponent* owner) : TComponent(owner), icon_(std::make_unique<TIcon>()) {
  icon_->SetPreferredSize(GetSystemMetrics(SM_CXSMICON));
  window_ = std::make_unique<TUtilWindow>([this](TMessage& m) { return HandleWindowMessage(m); }, this);
  iconData_.cbSize = NOTIFYICONDATAW_V1_SIZE;
  iconData_.hWnd = window_->Handle();
  iconData_.uID = kIconId;
  iconData_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  iconData_.uCallbackMessage = kCallbackMessage;
  cycleTimer_ = std::make_unique<TTimer>(nullptr);
  cycleTimer_->SetEnabled(false);
  cycleTimer_->SetInterval(cycleInterval_);
  cycleTimer_->SetOnTimer(TNotifyEvent([this](TObject*) { CycleStep(); }));
  TaskbarCreatedMessage();
  if (Application && Application->Handle())
    appHook_ = std::make_unique<TWindowSubclass>(
        Application->Handle(), [this](TMessage& m) {
          ApplicationMessage(m);
          return false;  // the window still handles it
        }, this);
  if (auto* form = dynamic_cast<TCustomForm*>(Owner()))
    ownerHook_ = std::make_unique<TWindowSubclass>(
        form->Handle(), [this](TMessage& m) {
          OwnerMessage(m);
          return false;
        }, this);
}

TTrayIcon::~TTrayIcon() { Teardown(); }

void TTrayIcon::BeforeDestruction() {
  Teardown();
  TComponent::BeforeDestruction();
}

// Removes the icon, frees the message window and the timer, then takes the hooks off in the
// reverse order of putting them on.
void TTrayIcon::Teardown() noexcept {
  if (tornDown_) return;
  tornDown_ = true;
  try {
    SetIconVisible(false);
  } catch (...) {
    HandleCurrentException(this);
  }
  cycleTimer_.reset();
  window_.reset();
  ownerHook_.reset();
  appHook_.reset();
  if (iconList_) iconList_->RemoveFreeNotification(this);
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  iconList_ = nullptr;
  popupMenu_ = nullptr;
}

void TTrayIcon::Loaded() {
  TComponent::Loaded();
  if (startMinimized_ && Application) {
    Application->SetShowMainForm(false);
    ShowWindow(Application->Handle(), SW_HIDE);
  }
  RefreshIcon();
  SetIconVisible(iconVisible_);
}

void TTrayIcon::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == iconList_) {
    if (Destroying() || tornDown_)
      iconList_ = nullptr;
    else
      SetIconList(nullptr);
  }
  if (component == popupMenu_) popupMenu_ = nullptr;
}

HWND TTrayIcon::Handle() const noexcept { return window_ ? window_->Handle() : nullptr; }

// --- Properties -------------------------------------------------------------------------------

void TTrayIcon::SetIconList(TImageList* list) {
  if (list != iconList_) {
    if (iconList_) iconList_->RemoveFreeNotification(this);
    iconList_ = list;
    if (iconList_) iconList_->FreeNotification(this);
  }
  SetIconIndex(0);
}

void TTrayIcon::SetCycleIcons(bool v) {
  cycleIcons_ = v;
  if (v) SetIconIndex(0);
  if (cycleTimer_) cycleTimer_->SetEnabled(v);
}

void TTrayIcon::SetCycleInterval(unsigned ms) {
  cycleInterval_ = ms;
  if (cycleTimer_) cycleTimer_->SetInterval(ms);
}

void TTrayIcon::SetHint(const std::string& hint) {
  hint_ = hint;
  if (!Loading()) RefreshIcon();
}

void TTrayIcon::SetShowHint(bool v) {
  showHint_ = v;
  if (!Loading()) RefreshIcon();
}

void TTrayIcon::SetIcon(const TIcon& icon) {
  icon_->Assign(icon);
  if (!Loading()) RefreshIcon();
}

void TTrayIcon::ReadIcon(TStream& stream) {
  icon_->LoadFromStream(stream);
  if (!Loading()) RefreshIcon();
}

void TTrayIcon::SetIconVisible(bool v) {
  iconVisible_ = v;
  if (Loading()) return;
  if (v)
    AddIcon();
  else
    RemoveIcon();
}

void TTrayIcon::SetIconIndex(int index) {
  if (iconList_) {
    const int count = iconList_->Count();
    iconIndex_ = std::max(0, index >= count ? count - 1 : index);
    iconList_->GetIcon(iconIndex_, *icon_);
  } else {
    iconIndex_ = 0;
  }
  if (!Loading()) RefreshIcon();
}

void TTrayIcon::SetPopupMenu(TPopupMenu* menu) {
  if (menu == popupMenu_) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = menu;
  if (popupMenu_) popupMenu_->FreeNotification(this);
}

// --- The shell --------------------------------------------------------------------------------

void TTrayIcon::PrepareIconData() {
  iconData_.hIcon = icon_ ? icon_->Handle() : nullptr;
  std::wmemset(iconData_.szTip, L'\0', kMaxTipLength + 1);
  if (!showHint_ || hint_.empty()) return;
  std::wstring tip = Widen(hint_);
  if (tip.size() > size_t(kMaxTipLength)) {
    size_t cut = kMaxTipLength;
    // never keep the first half of a surrogate pair alone
    if (tip[cut - 1] >= 0xD800 && tip[cut - 1] <= 0xDBFF) --cut;
    tip.resize(cut);
  }
  std::wmemcpy(iconData_.szTip, tip.data(), tip.size());
}

void TTrayIcon::Notify(DWORD message) {
  PrepareIconData();
  if (ShellCall())
    ShellCall()(message, iconData_);
  else
    Shell_NotifyIconW(message, &iconData_);
}

void TTrayIcon::AddIcon() {
  iconVisible_ = true;
  Notify(NIM_ADD);
}

void TTrayIcon::RemoveIcon() {
  iconVisible_ = false;
  Notify(NIM_DELETE);
}

void TTrayIcon::RefreshIcon() { Notify(NIM_MODIFY); }

// --- Messages ---------------------------------------------------------------------------------

bool TTrayIcon::HandleWindowMessage(TMessage& m) {
  if (m.Msg == kCallbackMessage) {
    HandleIconMessage(UINT(m.LParam));
    m.Result = 0;
    return true;
  }
  if (m.Msg == WM_QUERYENDSESSION) {
    m.Result = 1;  // logging off or shutting down may go on
    return true;
  }
  if (m.Msg == TaskbarCreatedMessage()) {
    if (iconVisible_) AddIcon();
    m.Result = 0;
    return true;
  }
  return false;
}

void TTrayIcon::HandleIconMessage(UINT mouseMessage) {
  if (!enabled_) return;
  const POINT p = CursorPosition();
  switch (mouseMessage) {
    case WM_MOUSEMOVE:
      DoMouseMove(KeyboardShiftState(), p.x, p.y);
      break;
    case WM_LBUTTONDOWN:
      DoMouseDown(TMouseButton::mbLeft, ButtonShiftState(TMouseButton::mbLeft), p.x, p.y);
      clickPending_ = true;
      if (leftPopup_) PopupAtCursor();
      break;
    case WM_LBUTTONUP:
      if (clickPending_) {
        clickPending_ = false;
        DoClick();
      }
      DoMouseUp(TMouseButton::mbLeft, ButtonShiftState(TMouseButton::mbLeft), p.x, p.y);
      break;
    case WM_LBUTTONDBLCLK:
      DoDblClick();
      if (popupMenu_ && popupMenu_->AutoPopup() && !leftPopup_) ClickDefaultItem();
      break;
    case WM_RBUTTONDOWN:
      DoMouseDown(TMouseButton::mbRight, ButtonShiftState(TMouseButton::mbRight), p.x, p.y);
      PopupAtCursor();
      break;
    case WM_RBUTTONUP:
      DoMouseUp(TMouseButton::mbRight, ButtonShiftState(TMouseButton::mbRight), p.x, p.y);
      break;
    case WM_MBUTTONDOWN:
      DoMouseDown(TMouseButton::mbMiddle, ButtonShiftState(TMouseButton::mbMiddle), p.x, p.y);
      break;
    case WM_MBUTTONUP:
      DoMouseUp(TMouseButton::mbMiddle, ButtonShiftState(TMouseButton::mbMiddle), p.x, p.y);
      break;
    default:  // right double click and anything else: nothing
      break;
  }
}

// The top-level items from the last to the first: of several default items the first wins.
void TTrayIcon::ClickDefaultItem() {
  TMenuItem* root = popupMenu_->Items();
  TMenuItem* chosen = nullptr;
  for (int i = root->Count() - 1; i >= 0; --i)
    if (root->Items(i)->Default()) chosen = root->Items(i);
  if (chosen) chosen->Click();
}

HWND TTrayIcon::OwnerWindow() const {
  auto* form = dynamic_cast<TCustomForm*>(Owner());
  HWND owner = form ? form->HandleIfAllocated() : nullptr;
  return owner ? owner : Handle();
}

void TTrayIcon::PopupAtCursor() {
  if (!popupMenu_ || !popupMenu_->AutoPopup()) return;
  POINT p{};
  if (!GetCursorPos(&p)) return;
  if (Application) Application->ProcessMessages();
  if (!popupMenu_) return;  // dropped while the messages ran
  HWND owner = OwnerWindow();
  SetForegroundWindow(owner);
  popupMenu_->SetPopupComponent(this);
  popupMenu_->Popup(p.x, p.y);
  // lets the menu close when the user clicks elsewhere next time
  PostMessageW(owner, WM_NULL, 0, 0);
}

void TTrayIcon::OwnerMessage(const TMessage& m) {
  if (m.Msg == WM_SHOWWINDOW && m.WParam == 1 && m.LParam == 0) {
    // shown by a direct call (not by its owner being restored): bring the program back as a whole
    if (Application) {
      ShowWindow(Application->Handle(), SW_RESTORE);
      SetForegroundWindow(Application->Handle());
    }
    if (ownerHook_ && ownerHook_->Window()) SetForegroundWindow(ownerHook_->Window());
  } else if (m.Msg == WM_WINDOWPOSCHANGED) {
    TWinControl* active = Screen().ActiveControl();
    HWND owner = ownerHook_ ? ownerHook_->Window() : nullptr;
    if (active && owner && IsWindowVisible(owner) && active->HandleAllocated() && active->CanFocus())
      ::SetFocus(active->HandleIfAllocated());
  }
}

void TTrayIcon::ApplicationMessage(const TMessage& m) {
  if (m.Msg == WM_SIZE && m.WParam == SIZE_MINIMIZED && minimizeToTray_) DoMinimizeToTray();
}

void TTrayIcon::CycleStep() {
  if (!iconList_) return;
  iconList_->GetIcon(iconIndex_, *icon_);
  DoCycle(iconIndex_);
  RefreshIcon();
  SetIconIndex(iconIndex_ >= iconList_->Count() - 1 ? 0 : iconIndex_ + 1);
}

// --- Main window ------------------------------------------------------------------------------

void TTrayIcon::RestoreMainWindow() {
  if (!Application || !Application->MainForm()) return;
  // minimised, the application hid its forms itself (the main form still counts as visible): it
  // shows them again as its taskbar button would
  if (IsIconic(Application->Handle())) Application->Restore();
  ShowWindow(Application->Handle(), SW_SHOWNORMAL);
  Application->MainForm()->SetVisible(true);
}

void TTrayIcon::HideMainWindow() {
  if (!Application || !Application->MainForm()) return;
  Application->MainForm()->SetVisible(false);
  ShowWindow(Application->Handle(), SW_HIDE);
}

// --- Events -----------------------------------------------------------------------------------

void TTrayIcon::DoClick() { OnClick(this); }
void TTrayIcon::DoDblClick() { OnDblClick(this); }
void TTrayIcon::DoCycle(int index) { OnCycle(this, index); }
void TTrayIcon::DoMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  OnMouseDown(this, button, shift, x, y);
}
void TTrayIcon::DoMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  OnMouseUp(this, button, shift, x, y);
}
void TTrayIcon::DoMouseMove(TShiftState shift, int x, int y) { OnMouseMove(this, shift, x, y); }
void TTrayIcon::DoMinimizeToTray() {
  HideMainWindow();
  SetIconVisible(true);
}

}  // namespace bus
