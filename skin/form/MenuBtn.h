// TMenuBtn: one top-level item of a skinned window's menu bar, a clickable non-client object. The
// menu bar makes one per item of the menu it shows and places it when it paints; the item then
// follows the mouse like a caption button (hot, pressed, normal) and repaints itself on the bar's
// background, framed in the skin's highlight colour while hot or pressed. Pressing it opens its
// drop-down (the form object's OpenMenu).
#pragma once

#include <windows.h>

#include <string>

#include "skin/form/NCObject.h"

namespace bus {

class TMenuItem;
class TSkinData;
class TSkinMenuBar;

class TMenuBtn final : public TNCObject {
public:
  TMenuBtn(TSkinForm& form, TSkinMenuBar& bar, int index) noexcept;

  // The form's menu item it shows, or null for an item read from a native menu only.
  TMenuItem* MenuItem() const noexcept { return menuItem_; }
  void SetMenuItem(TMenuItem* item) noexcept { menuItem_ = item; }
  TSkinData* SkinData() const noexcept { return skinData_; }
  void SetSkinData(TSkinData* skin) noexcept { skinData_ = skin; }
  // Position in the bar.
  int Index() const noexcept { return index_; }
  const std::wstring& Caption() const noexcept { return caption_; }
  void SetCaption(std::wstring caption) { caption_ = std::move(caption); }
  bool Enabled() const noexcept { return enabled_; }
  void SetEnabled(bool enabled) noexcept { enabled_ = enabled; }
  // Its drop-down menu, or null.
  HMENU SubMenu() const noexcept { return subMenu_; }
  void SetSubMenu(HMENU menu) noexcept { subMenu_ = menu; }
  // The command identifier the item posts when it is pressed.
  UINT Command() const noexcept { return command_; }
  void SetCommand(UINT command) noexcept { command_ = command; }
  // The accelerator: the character after the first single "&" of the caption, lower case; 0 for none.
  wchar_t Accelerator() const noexcept;
  TSkinMenuBar& Bar() const noexcept { return bar_; }

  // Repaints the item on the window in its state.
  void Paint() override;

private:
  TSkinMenuBar& bar_;            // the bar that holds it
  TMenuItem* menuItem_ = nullptr;  // the form's menu item, or null
  TSkinData* skinData_ = nullptr;  // the skin it is drawn with
  int index_;                    // position in the bar
  std::wstring caption_;         // its text, "&" marking the accelerator
  bool enabled_ = true;          // a disabled item opens nothing and is drawn in ButtonShadow
  HMENU subMenu_ = nullptr;      // its drop-down
  UINT command_ = 0;             // command identifier
};

}  // namespace bus
