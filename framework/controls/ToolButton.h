// Tool buttons: the buttons of a tool bar, placed in it by a description (or by code with
// SetParent). A button shows its Caption (when the tool bar shows captions) and the image
// ImageIndex of the tool bar's Images; Style makes it a push button, a check button that stays
// down (Down), or a separator. Its bounds follow the native button the tool bar made for it. A
// button made for a menu's top item (see TToolBar::Menu) drops that item's sub-menu when clicked,
// or clicks the item when it has none.
#pragma once

#include "framework/controls/GraphicControl.h"

namespace bus {

class TToolBar;
class TMenuItem;

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsSeparator, tbsDivider };

class TToolButton : public TGraphicControl {
  BUS_CLASS(TToolButton)
public:
  explicit TToolButton(TComponent* owner);

  TToolBar* ToolBar() const noexcept { return toolBar_; }
  int ImageIndex() const noexcept { return imageIndex_; }
  void SetImageIndex(int v);
  TToolButtonStyle Style() const noexcept { return style_; }
  void SetStyle(TToolButtonStyle v);
  // A check button stays down (reading asks the native button).
  bool Down() const;
  void SetDown(bool v);
  // The menu item whose sub-menu the button drops, or null.
  TMenuItem* MenuItem() const noexcept { return menuItem_; }
  void SetMenuItem(TMenuItem* item);
  // The native button's command identifier (0 before the tool bar made it).
  UINT Command() const noexcept { return command_; }

  void SetParent(TWinControl* parent) override;
  void Click() override;
  void WndProc(TMessage& message) override;

protected:
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TToolBar;
  void Changed();

  TToolBar* toolBar_ = nullptr;             // holder and parent
  int imageIndex_ = -1;                     // in the tool bar's Images; -1: none
  TToolButtonStyle style_ = TToolButtonStyle::tbsButton;  // push, check or separator
  bool down_ = false;                       // a check button's state while there is no window
  TMenuItem* menuItem_ = nullptr;           // dropped when clicked
  UINT command_ = 0;                        // native button's identifier
};

}  // namespace bus
