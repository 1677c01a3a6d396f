// TSkinPopupMenu: the skinning object of one menu window (class "#32768", made anew for every
// drop-down, popup and system menu). The skin manager creates it when the window is created and
// frees it when the window is destroyed. While attached it answers the question "skinned?"
// (0x3504) with 1; its border and background are drawn from the skin's MenuBackground by the menu
// painting, which also learns the menu shown (OwnerMenu) from the first item drawn.
//
// PendingPopup is the menu window object that has painted its background but does not know its
// menu yet; an object that is detached or freed is never left there.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/controls/Messages.h"
#include "framework/graphics/Bitmap.h"

namespace bus {

class TSkinData;
class TWindowSubclass;

class TSkinPopupMenu {
public:
  TSkinPopupMenu();
  ~TSkinPopupMenu();
  TSkinPopupMenu(const TSkinPopupMenu&) = delete;
  TSkinPopupMenu& operator=(const TSkinPopupMenu&) = delete;

  // Subclasses the menu window; menu is the menu shown, or null when not known yet. Throws
  // EWin32Error when the window cannot be subclassed.
  void Attach(HWND window, TSkinData* skin, HMENU menu);
  // Puts back the window's procedure and empties Background. Harmless when not attached.
  void Detach() noexcept;
  bool Attached() const noexcept { return handle_ != nullptr; }

  // The menu window; null when not attached.
  HWND Handle() const noexcept { return handle_; }
  TSkinData* SkinData() const noexcept { return skinData_; }
  HMENU OwnerMenu() const noexcept { return ownerMenu_; }
  void SetOwnerMenu(HMENU menu) noexcept { ownerMenu_ = menu; }
  // The window's background as last painted.
  TBitmap& Background() noexcept { return background_; }

  // The object waiting to learn its menu from the next item drawn, or null.
  static TSkinPopupMenu* PendingPopup() noexcept;
  static void SetPendingPopup(TSkinPopupMenu* popup) noexcept;

private:
  bool WndProc(TMessage& m);

  std::unique_ptr<TWindowSubclass> hook_;  // our procedure on the menu window
  HWND handle_ = nullptr;                  // the menu window while attached
  TSkinData* skinData_ = nullptr;          // chosen by the manager, not owned
  TBitmap background_;                     // the background at the last paint
  HMENU ownerMenu_ = nullptr;              // the menu shown, once known
};

}  // namespace bus
