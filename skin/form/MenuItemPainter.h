// TMenuItemPainter: measures and paints the items of owner-drawn menus from the skin. An item is
// drawn off screen over the part of its menu window's skinned background that lies under it (or the
// skin's Menu colour when that window has none), with the MenuItem image (frame 1 normal, 4
// selected; a separator shows the background with frame 2's line over it), its image or check mark
// in a glyph box at the left, its caption and its shortcut at the right; then copied to the menu in
// one transfer. A skin without a MenuItem object draws items flat: Hilight or Menu behind the same
// glyph, caption and shortcut.
//
// The painter keeps no state of its own: it reads the skin, the menu windows' backgrounds kept by
// the skin manager, and the form's menu bar menu (for items whose own menu is not known). Make one
// where it is needed. Use from the user-interface thread.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/graphics/Color.h"

namespace bus {

class TCanvas;
class TMainMenu;
class TMenuItem;
class TSkinData;

class TMenuItemPainter {
public:
  // barMenu: the form's menu bar menu, or null.
  TMenuItemPainter(const TSkinData& skin, TMainMenu* barMenu) noexcept : skin_(skin), barMenu_(barMenu) {}

  // --- Measuring: the platform's size of an item as the skin draws it -------------------------
  // A popup menu's item: width and height as measured by the layer, widened for the skin.
  void MeasurePopupItem(TMenuItem& item, int& width, int& height) const;
  // A menu bar drop-down's item: measured by the layer without its own measure event, then widened.
  void MeasureMenuItem(TMenuItem& item, TCanvas& canvas, int& width, int& height) const;
  // A native item known only by its text (of at most 80 characters) in the menu font; height is
  // the platform's proposal, grown by 4 (set to 8 for an empty text).
  void MeasureNativeItem(const std::wstring& text, int& width, int& height) const;

  // --- Drawing --------------------------------------------------------------------------------
  // The draw event of skinned items: the skin's look, or the flat look without a MenuItem object.
  // Also tells the menu window that waits to learn its menu (PendingPopup) the item's menu.
  void DrawMenuItem(TMenuItem& item, TCanvas& canvas, const RECT& r, bool selected) const;
  // Item `id` of a native menu, made from the native item (BuildTempItem): separators are drawn as
  // items too; a checked radio item (MFT_RADIOCHECK) shows the radio look instead of a check mark.
  void DrawNativeItem(HMENU menu, UINT id, TMenuItem& item, bool selected, const RECT& r, TCanvas& canvas) const;
  // The flat look.
  void DrawPlainItem(TMenuItem& item, TCanvas& canvas, bool selected, const RECT& r, bool radio = false) const;
  // Frame 2 of MenuItem as a separator line across r: its left and right margins at the ends, its
  // middle stretched between, magenta transparent.
  void DrawSeparator(TCanvas& canvas, const RECT& r) const;
  // The arrow at the right end of an item that opens a sub-menu, in the caption's colour; its place
  // is then clipped out of the DC, so that the platform, which draws its own arrow after the item
  // (over a highlight box when the item is selected), leaves the skin's alone.
  void DrawSubMenuArrow(const TMenuItem& item, TCanvas& canvas, const RECT& r, bool selected) const;
  // Glyph box, caption and shortcut of the item in r. A checked item without an image shows the
  // check mark, or with `radio` the radio look: the checked frame of the skin's radio button
  // picture, or a dot in the caption's colour when the skin has none.
  void DrawItemContent(TMenuItem& item, TCanvas& canvas, bool selected, const RECT& r, bool radio = false) const;
  // Measures (format with DT_CALCRECT: r receives the size) or draws text in the item's colours.
  // A "-" text draws an etched line 4 pixels below r's top instead.
  void DrawItemText(const TMenuItem& item, TCanvas& canvas, UINT format, bool selected, RECT& r,
                    std::wstring text) const;

  // A temporary item standing for native item `id` of menu: its text ("-" when it has none), its
  // enabled and checked state. Null when the menu has no such item.
  static std::unique_ptr<TMenuItem> BuildTempItem(HMENU menu, UINT id);
  // The text of native item `id` of menu, at most 80 characters; empty when there is none.
  static std::wstring NativeItemText(HMENU menu, UINT id);
  // Native item `id` of menu is a radio item (MFT_RADIOCHECK).
  static bool IsRadioItem(HMENU menu, UINT id);

private:
  // The MenuItem object's LeftWidth, or 0 without the object.
  int LeftInset() const noexcept;
  // The colour of the item's caption: HilightText selected, MenuText, or for a disabled item
  // ButtonShadow (the platform's button shadow when the skin's equals MenuText).
  TColor TextColour(const TMenuItem& item, bool selected) const noexcept;
  // Draws an item over its menu window's background at r in the skin's look; a separator gets
  // DrawSeparator unless `separatorAsItem`; `radio` as for DrawItemContent.
  void DrawSkinnedItem(TMenuItem& item, TCanvas& canvas, const RECT& r, bool selected, HMENU menu,
                       bool separatorAsItem, bool radio = false) const;
  // The mark of a checked radio item in the glyph box.
  void DrawRadioMark(HDC dc, const RECT& glyph, const TMenuItem& item, bool selected) const;

  const TSkinData& skin_;  // the skin the items are drawn from
  TMainMenu* barMenu_;     // the form's menu bar menu, or null
};

}  // namespace bus
