// Menus: items with captions ("-" is a separator), shortcuts, check marks and handlers, in native
// menus. A popup menu shows a native "#32768" menu window at a point, owned by one hidden window of
// the layer that dispatches the chosen item's OnClick and the owner-draw messages to the items.
// A main menu is a form's menu bar.
//
// Command identifiers are process-wide, one per item. Once a menu's native handle is built it is
// kept: a change of one item (its caption, state, shortcut, image, visibility) is made to that
// native item in place, so the menu handles and item positions that others keep stay valid; only
// adding or removing items, or switching the menu's OwnerDraw or Images, builds it anew. An
// invisible item is not in the native menu, but it keeps its command and its sub-menu handle.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/controls/Messages.h"

namespace bus {

class TCanvas;
class TImageList;
class TMenu;

// (Sender, Canvas, Rect, Selected)
using TMenuDrawItemEvent = TEvent<TObject*, TCanvas*, const RECT&, bool>;
// (Sender, Canvas, Width, Height): adjusts the size the layer measured.
using TMenuMeasureItemEvent = TEvent<TObject*, TCanvas*, int&, int&>;

using TShortCut = unsigned short;  // virtual key | scShift | scCtrl | scAlt
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
// "Shift+F4" and back; 0 / "" for none.
std::string ShortCutToText(TShortCut shortCut);
TShortCut TextToShortCut(std::string_view text);

class TMenuItem : public TComponent {
  BUS_CLASS(TMenuItem)
public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const std::string& Caption() const noexcept { return caption_; }
  void SetCaption(const std::string& v);
  bool IsLine() const noexcept { return caption_ == "-"; }
  bool Checked() const noexcept { return checked_; }
  void SetChecked(bool v);
  bool Enabled() const noexcept { return enabled_; }
  void SetEnabled(bool v);
  bool Visible() const noexcept { return visible_; }
  void SetVisible(bool v);
  // Drawn bold; a tray double click clicks it.
  bool Default() const noexcept { return default_; }
  void SetDefault(bool v);
  TShortCut ShortCut() const noexcept { return shortCut_; }
  void SetShortCut(TShortCut v);
  int ImageIndex() const noexcept { return imageIndex_; }
  void SetImageIndex(int v);

  // Sub-items.
  int Count() const noexcept { return int(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(size_t(index)); }
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  TMenuItem* Parent() const noexcept { return parent_; }
  // The menu the item belongs to, or null.
  TMenu* GetParentMenu() const;
  // The native menu holding the item's sub-items (made when the menu is built); null when none.
  HMENU Handle() const noexcept { return handle_; }
  UINT Command() const noexcept { return command_; }
  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;

  // Fires OnClick (when enabled).
  virtual void Click();
  // The item's size in the menu: the layer's default for its caption, shortcut and image (measured
  // with canvas's font), then adjusted by OnMeasureItem. Width and height are set, not added to.
  void MeasureItem(TCanvas& canvas, int& width, int& height);
  // Paints the item: OnDrawItem when assigned, else the layer's own look (DefaultDraw).
  void DrawItem(TCanvas& canvas, const RECT& rect, bool selected);
  void DefaultDraw(TCanvas& canvas, const RECT& rect, bool selected);
  // The item's position in its parent's native menu (invisible items come before it but are not
  // counted); -1 when the item has no parent.
  int NativeIndex() const;

  TNotifyEvent OnClick;                   // published
  TMenuDrawItemEvent OnDrawItem;          // published
  TMenuMeasureItemEvent OnMeasureItem;    // published

  // The item with this command anywhere, or null; DispatchCommand clicks it.
  static TMenuItem* FindCommand(UINT command);
  static bool DispatchCommand(UINT command);
  // WM_MEASUREITEM / WM_DRAWITEM of an owner-drawn menu item: measures (the default size, then
  // OnMeasureItem adds to it) or draws (OnDrawItem, else the default look). False when the message
  // is not about one of our items.
  static bool HandleOwnerDraw(TMessage& m);

protected:
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TMenu;
  // The item list changed: the menu is built anew.
  void Changed();
  // One property of the item changed: its native item is updated in place.
  void PropertyChanged();
  // The native item: type, state, identifier, text and sub-menu.
  void FillItemInfo(MENUITEMINFOW& mii, std::wstring& text, bool ownerDraw) const;
  // Builds the item's sub-menu (even while it is invisible) and, when visible, appends the native
  // item to menu.
  void AppendTo(HMENU menu, bool ownerDraw);
  // Takes the native item out of its parent's menu (hidden) or puts it back at its place (shown).
  void UpdateVisibility(bool ownerDraw);
  // Forgets the native handles, destroying the sub-menus of invisible items (no menu holds them).
  void DestroyHandles();
  // Gives every native item below this one its type anew (owner-drawn or not), in place.
  void RefreshNativeTypes(bool ownerDraw);

  std::string caption_;                 // text; "-": separator
  bool checked_ = false;                // check mark
  bool enabled_ = true;                 // selectable
  bool visible_ = true;                 // in the menu at all
  bool default_ = false;                // bold default item
  TShortCut shortCut_ = 0;              // shown at the right
  int imageIndex_ = -1;                 // image of the menu's Images
  std::vector<TMenuItem*> items_;       // sub-items, not owned (components of the form)
  TMenuItem* parent_ = nullptr;         // containing item
  TMenu* menu_ = nullptr;               // set on a menu's root item
  HMENU handle_ = nullptr;              // native sub-menu (built also while the item is invisible)
  UINT command_ = 0;                    // process-wide command identifier
};

class TMenu : public TComponent {
  BUS_CLASS(TMenu)
public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  // The root item whose sub-items are the menu's items.
  TMenuItem* Items() const noexcept { return items_; }
  bool OwnerDraw() const noexcept { return ownerDraw_; }
  void SetOwnerDraw(bool v);
  TImageList* Images() const noexcept { return images_; }
  void SetImages(TImageList* v);
  // The native menu, built from the items when there is none.
  HMENU Handle();
  // The native menu when built, else null.
  HMENU HandleIfAllocated() const noexcept { return handle_; }
  // Items changed: rebuild (and a main menu tells its form).
  virtual void MenuChanged();
  // One item was updated in place (a main menu tells its form when the item is on its bar), or
  // every item's type (item null); nothing is rebuilt.
  virtual void ItemChanged(TMenuItem* item);
  void SetParentComponent(TComponent* parent) override;

protected:
  virtual HMENU CreateMenuHandle() = 0;
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;
  void DestroyHandle();

private:
  TMenuItem* items_;                // root item, owned
  bool ownerDraw_ = false;          // items drawn by OnDrawItem / the skin
  TImageList* images_ = nullptr;    // item images
  HMENU handle_ = nullptr;          // native menu, rebuilt on demand
};

class TPopupMenu : public TMenu {
  BUS_CLASS(TPopupMenu)
public:
  explicit TPopupMenu(TComponent* owner);
  bool AutoPopup() const noexcept { return autoPopup_; }
  void SetAutoPopup(bool v) noexcept { autoPopup_ = v; }
  TComponent* PopupComponent() const noexcept { return popupComponent_; }
  void SetPopupComponent(TComponent* c) noexcept { popupComponent_ = c; }
  // Fires OnPopup, shows the menu at the screen point and returns when it closes, after the chosen
  // item's OnClick. The native menu is kept from one popup to the next.
  void Popup(int x, int y);

  TNotifyEvent OnPopup;  // published

  // The hidden window that owns every popup menu.
  static HWND PopupListWindow();

protected:
  HMENU CreateMenuHandle() override { return CreatePopupMenu(); }

private:
  bool autoPopup_ = true;                  // shown automatically by its users
  TComponent* popupComponent_ = nullptr;   // who asked for it last
};

// Shows a native menu (or sub-menu) of our items with its top-left corner at the screen point and
// returns when it closes, after the chosen item's OnClick.
void TrackMenu(HMENU menu, int x, int y);

class TMainMenu : public TMenu {
  BUS_CLASS(TMainMenu)
public:
  explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
  void MenuChanged() override;
  void ItemChanged(TMenuItem* item) override;
  // The item with that native sub-menu or command, or null.
  TMenuItem* FindItem(UINT value, bool byCommand) const;

protected:
  HMENU CreateMenuHandle() override { return CreateMenu(); }
};

}  // namespace bus
