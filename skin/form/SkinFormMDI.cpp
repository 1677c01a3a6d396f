// MDI windows in TSkinForm. An MDI frame's client window gets a procedure of ours: it keeps the
// client free of scroll bars (unless the skin wants them), adopts each child the client makes once
// the client refreshes its window menu, and keeps the shared maximised state of the children (the
// skin manager's MDIMaximized) right when children are cascaded, tiled or destroyed. An MDI child
// shows the skin's frame while it is in normal state; maximised, it has the platform's frame and
// the frame's menu bar shows its window-control buttons (minimise, restore, close).
#include <windows.h>

#include <utility>

#include "core/ScopeExit.h"
#include "framework/controls/WindowSubclass.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"
#include "skin/form/SkinMenuBar.h"

namespace bus {

void TSkinForm::HookMDIClient() {
  if (clientHook_ || !mdiClientWindow_) return;
  clientHook_ = std::make_unique<TWindowSubclass>(mdiClientWindow_, [this](TMessage& m) { return ClientWndProc(m); }, this);
}

void TSkinForm::UnhookMDIClient() noexcept {
  if (clientHook_) clientHook_->Remove();
}

bool TSkinForm::ClientWndProc(TMessage& m) {
  const TWindowSubclass& client = *clientHook_;
  switch (m.Msg) {
    case WM_NCDESTROY:
      client.Default(m);
      UnhookMDIClient();
      return true;
    case WM_NCCALCSIZE:
      if (frameSkinning_ && !skinData_->Options().Contains(TSkinOption::xoMDIScrollbar)) {
        // the skin's frame has no place for the client's own scroll bars
        const LONG_PTR style = GetWindowLongPtrW(mdiClientWindow_, GWL_STYLE);
        if (style & (WS_HSCROLL | WS_VSCROLL))
          SetWindowLongPtrW(mdiClientWindow_, GWL_STYLE, style & ~LONG_PTR(WS_HSCROLL | WS_VSCROLL));
      }
      client.Default(m);
      return true;
    case WM_MDICREATE:
      skinData_->SetMenuUpdate(false);
      client.Default(m);
      pendingMDIChild_ = reinterpret_cast<HWND>(m.Result);
      return true;
    case WM_MDIDESTROY:
      client.Default(m);
      if (!frameSkinning_) return true;
      if (SkinManager) SkinManager->SetMDIMaximized(IsActiveChildMaximized());
      if (!SendMessageW(mdiClientWindow_, WM_MDIGETACTIVE, 0, 0) && menuBar_) {
        skinData_->SetMenuUpdate(savedMenuUpdate_);
        menuBar_->BuildFromFormMenu();
      }
      return true;
    case WM_MDICASCADE:
    case WM_MDITILE:
      if (frameSkinning_ && SkinManager && SkinManager->MDIMaximized()) SkinManager->SetMDIMaximized(false);
      client.Default(m);
      return true;
    case WM_MDISETMENU:
      client.Default(m);
      if (!frameSkinning_) return true;
      if (m.WParam && menuBar_ &&
          ((m.WParam & ~(WPARAM(~0) >> 1)) || reinterpret_cast<HMENU>(m.WParam) != menuBar_->MenuHandle() ||
           pendingMDIChild_)) {
        menuBar_->BuildFromMenu(GetMenu(handle_));
      }
      if (GetMenu(handle_)) ::SetMenu(handle_, nullptr);
      return true;
    case WM_MDIREFRESHMENU:
      client.Default(m);
      if (HWND child = std::exchange(pendingMDIChild_, nullptr)) {
        // the client may have restored a maximised child for the new one: the new child is hooked
        // with the state as it is
        if (frameSkinning_ && SkinManager) SkinManager->SetMDIMaximized(IsActiveChildMaximized());
        if (SkinManager) SkinManager->SkinMDIChild(child);
        PostMessageW(handle_, kSkinMsgPaintFrame, 0, 0);
      }
      return true;
    default:
      return false;
  }
}

bool TSkinForm::SharedMaximized() const noexcept {
  return kind_ == kKindMDIChild && SkinManager && SkinManager->MDIMaximized();
}

bool TSkinForm::IsActiveChildMaximized() const {
  if (kind_ != kKindMDIFrame || !mdiClientWindow_) return false;
  BOOL maximized = FALSE;
  const auto child = reinterpret_cast<HWND>(SendMessageW(mdiClientWindow_, WM_MDIGETACTIVE, 0, LPARAM(&maximized)));
  return child && maximized;
}

void TSkinForm::MDIChildCommand(UINT command) {
  if (kind_ != kKindMDIFrame || !mdiClientWindow_) return;
  if (const auto child = reinterpret_cast<HWND>(SendMessageW(mdiClientWindow_, WM_MDIGETACTIVE, 0, 0)))
    SendMessageW(child, WM_SYSCOMMAND, command, 0);
  if (SkinManager && SkinManager->MDIMaximized() && !IsActiveChildMaximized()) SkinManager->SetMDIMaximized(false);
}

void TSkinForm::MDIMaximizedChanged(bool maximized) {
  if (maximized) {
    ClearRegion();
    SetFrameStyles(true);
    return;
  }
  if (windowState_ == kStateMinimized) {
    SetFrameStyles(true);
    return;
  }
  windowState_ = kStateNormal;
  ApplyRegion();
  SetFrameStyles(false);
  if (!hasRegion_) FrameChanged();
}

}  // namespace bus
