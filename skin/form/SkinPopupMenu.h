// TSkinPopupMenu: the skinning object of one menu window (class "#32768", made anew for every
// drop-down, popup and system menu). The skin manager creates it when the window is created and
// frees it when the window is destroyed. While attached it answers the question "skinned?"
// (0x3504) with 1 and, while skinning is on and the skin has a MenuBackground image, draws the
// window's background and border from that image: the background is rendered to the window's size
// before the items are drawn (they copy their part of it), and the outer 3 pixels are copied onto
// the window after the platform has painted, on WM_PAINT as on WM_NCPAINT, since a platform menu
// window may paint its own edge inside its client area and never ask for its non-client area.
// WM_PRINT (menu animation) gets the whole background with the items printed over it.
//
// The menu shown (OwnerMenu) is learned from the first item drawn after the background is rendered.
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
  // Where the window's client area (in which the items are placed) starts within the window.
  POINT ClientOrigin() const noexcept { return clientOrigin_; }

  // Renders Background to the window's size and copies its outer 3-pixel strips to the window.
  // False (nothing drawn) without a skin that has a MenuBackground image.
  bool PaintBorder();

  // The object waiting to learn its menu from the next item drawn, or null.
  static TSkinPopupMenu* PendingPopup() noexcept;
  static void SetPendingPopup(TSkinPopupMenu* popup) noexcept;

private:
  bool WndProc(TMessage& m);
  // WM_PAINT: the background first, the platform's painting (items included), then the border.
  void WmPaint(TMessage& m);
  // WM_PRINT: the background and the items printed over it, clipped to the inside of the border.
  void PrintMenu(TMessage& m);
  // There is a skin with a MenuBackground image to paint from.
  bool CanPaint() const noexcept;
  // Renders Background to the window's size (rect: the window's rectangle at the origin) and, while
  // the menu is not known, waits for the next item drawn to tell it (PendingPopup).
  void RenderBackground(const RECT& rect);
  // Copies the outer 3-pixel strips of Background to dc (the whole window's).
  void CopyBorder(HDC dc);

  std::unique_ptr<TWindowSubclass> hook_;  // our procedure on the menu window
  HWND handle_ = nullptr;                  // the menu window while attached
  TSkinData* skinData_ = nullptr;          // chosen by the manager, not owned
  TBitmap background_;                     // the background at the last paint
  HMENU ownerMenu_ = nullptr;              // the menu shown, once known
  POINT clientOrigin_{};                   // client area's top-left within the window at the last render
};

}  // namespace bus
