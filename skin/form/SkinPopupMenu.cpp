#include "skin/form/SkinPopupMenu.h"

#include "framework/controls/WindowSubclass.h"
#include "skin/form/SkinManager.h"

namespace bus {

namespace {
TSkinPopupMenu* gPendingPopup = nullptr;  // painted, menu not known yet
}  // namespace

TSkinPopupMenu* TSkinPopupMenu::PendingPopup() noexcept { return gPendingPopup; }

void TSkinPopupMenu::SetPendingPopup(TSkinPopupMenu* popup) noexcept { gPendingPopup = popup; }

TSkinPopupMenu::TSkinPopupMenu() = default;

TSkinPopupMenu::~TSkinPopupMenu() { Detach(); }

void TSkinPopupMenu::Attach(HWND window, TSkinData* skin, HMENU menu) {
  hook_ = std::make_unique<TWindowSubclass>(window, [this](TMessage& m) { return WndProc(m); });
  handle_ = window;
  skinData_ = skin;
  ownerMenu_ = menu;
}

void TSkinPopupMenu::Detach() noexcept {
  if (gPendingPopup == this) gPendingPopup = nullptr;
  if (!handle_) return;
  hook_->Remove();
  handle_ = nullptr;
  background_.Clear();
}

bool TSkinPopupMenu::WndProc(TMessage& m) {
  switch (m.Msg) {
    case kSkinMsgIsSkinned:
      m.Result = 1;
      return true;
    case WM_DESTROY: {
      // released whether or not skinning is on, so that a new window with this handle is not
      // taken for a skinned one
      const HWND window = handle_;
      Detach();
      if (SkinManager) SkinManager->ReleasePopupMenu(window);  // may free this object
      return false;
    }
    default:
      // the border and background are the menu painting's; until then the window paints itself
      return false;
  }
}

}  // namespace bus
