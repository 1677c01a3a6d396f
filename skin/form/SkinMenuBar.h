// TSkinMenuBar: the menu bar of a skinned window, painted under the caption from the skin's menu
// bar picture. The window's native menu is taken off the window (the platform draws no bar and
// runs no menu mode of its own); the bar keeps its handle and gives it back when the skin lets the
// window go. One TMenuBtn per top-level item, built from the form's main menu, or, where the skin
// merges menus, from the window's native menu (items with no text of their own, owner-drawn ones,
// take what the form's menu says of them).
//
// The menu loop. While a drop-down of the bar is open (TrackPopupMenu, modal), a message-filter
// hook of the thread watches the menu's messages: the right arrow on an item without a sub-menu
// and the left arrow at the top level of the drop-down move to the next and previous bar items
// (wrapping at the ends), the mouse over another bar item moves there. A move posts a press on the
// target item (PostMenuClick): the press ends the open menu and then opens the target's. Only one
// menu is tracked at a time, so this state is one per process (MenuTracking).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/graphics/Bitmap.h"
#include "skin/form/MenuBtn.h"

namespace bus {

class TMainMenu;
class TMenuItem;
class TSkinData;
class TSkinForm;

class TSkinMenuBar final : public TComponent {
  BUS_CLASS(TSkinMenuBar)
public:
  TSkinMenuBar(TSkinForm& form, TSkinData* skin);
  ~TSkinMenuBar() override;

  // Items from the form's main menu (a window without a form: from its native menu). Takes the
  // window's native menu off it.
  void BuildFromFormMenu();
  // Items from the window's native menu; items without text from the form's menu at the same place.
  void BuildFromWindowMenu();
  // Items from menu (or, when null, the menu the bar shows); items without text from the form's
  // top-level items of the same command.
  void BuildFromMenu(HMENU menu);
  // Paints the bar into dc at r (window coordinates) and places the items.
  void Paint(HDC dc, const RECT& r);
  // Repaints one item in its state on the window, over the background of the last Paint.
  void PaintItem(const TMenuBtn& item);
  // The first item whose rectangle holds p (window coordinates) and whose caption is not empty.
  TMenuBtn* FindItem(POINT p) const;
  // The first enabled visible item whose accelerator is ch (letter case ignored), or null.
  TMenuBtn* FindAccelItem(wchar_t ch) const;

  int Count() const noexcept { return int(items_.size()); }
  TMenuBtn* Items(int index) const noexcept;
  TMainMenu* Menu() const noexcept { return menu_; }
  void SetMenu(TMainMenu* menu);
  // The native menu the bar shows (given back to the window when skinning ends).
  HMENU MenuHandle() const noexcept { return menuHandle_; }
  void SetMenuHandle(HMENU menu) noexcept { menuHandle_ = menu; }
  const RECT& BarRect() const noexcept { return barRect_; }
  const TBitmap& Background() const noexcept { return background_; }
  TSkinForm& Form() const noexcept { return form_; }

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  // Frees the items (the form forgets a hot one) and makes count new ones.
  void NewItems(int count);
  // Reads the native menu's items; an item without text takes the form's item found by place
  // (byCommand false) or by command.
  void BuildFromNative(bool byCommand);
  // Takes the window's native menu off it, so the platform draws no bar of its own.
  void RemoveNativeMenu() const;

  std::vector<std::unique_ptr<TMenuBtn>> items_;  // one per top-level item
  TMainMenu* menu_ = nullptr;      // the form's main menu, or null
  RECT barRect_{};                 // the bar at its last paint, window coordinates
  TSkinData* skinData_;            // the skin it is drawn with, not owned
  TSkinForm& form_;                // the form object that owns it
  TBitmap background_;             // the bar without items at its last paint
  HMENU menuHandle_ = nullptr;     // the native menu the bar shows
};

// Text centred in r by format (DT_LEFT, DT_RIGHT or DT_CENTER), one line, "&" underlining the
// next character; in the button-shadow colour when not enabled, else in the DC's text colour.
void DrawCentredText(HDC dc, const RECT& r, const std::wstring& text, UINT alignment, bool enabled);

// The state of the menu loop, one per process.
struct TMenuTracking {
  TSkinForm* trackingForm = nullptr;     // the form object whose bar menu is open
  int activeIndex = -1;                  // the bar item whose menu is open; -1 none
  TMenuItem* currentMenuItem = nullptr;  // the item last selected in the open menu
  HHOOK menuFilterHook = nullptr;        // the WH_MSGFILTER hook while a bar menu is tracked
  POINT lastMousePoint{};                // the last mouse point seen, screen
  bool switchPending = false;            // a move to another bar item has been posted
  bool firstMessageSeen = false;         // the first menu message of this tracking has come
};
TMenuTracking& MenuTracking() noexcept;

// Puts the filter on for the calling thread (once) and starts a tracking afresh.
void InstallMenuFilter();
// Takes the filter off and forgets the tracked item.
void RemoveMenuFilter() noexcept;
// The bar item after (or before) the open one in the tracking form's bar, wrapping at the ends.
TMenuBtn* NeighbourItem(bool forward);
// Separators of item's sub-items shown only between visible ordinary items, never two in a row
// and never at either end. Only items whose visibility changes are touched.
void TidySeparators(TMenuItem* item);

}  // namespace bus
