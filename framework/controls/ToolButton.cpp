#include "framework/controls/ToolButton.h"

#include <commctrl.h>

#include "framework/Properties.h"
#include "framework/controls/Menus.h"
#include "framework/controls/ToolBar.h"

namespace bus {

namespace {
const TIdentList kStyles{"tbsButton", "tbsCheck", "tbsSeparator", "tbsDivider"};
}

const TClassInfo& TToolButton::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TToolButton>("TToolButton", TGraphicControl::StaticClassInfo())
          .Creatable()
          .Int("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex, -1)
          .Enum("Style", &TToolButton::Style, &TToolButton::SetStyle, kStyles, TToolButtonStyle::tbsButton)
          .Bool("Down", &TToolButton::Down, &TToolButton::SetDown, false)
          .Reference<TMenuItem>("MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem)
          .Build();
  return info;
}

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 23, 22); }

void TToolButton::BeforeDestruction() {
  if (toolBar_) toolBar_->RemoveButton(this);
  toolBar_ = nullptr;
  TGraphicControl::BeforeDestruction();
}

void TToolButton::SetParent(TWinControl* parent) {
  if (toolBar_) toolBar_->RemoveButton(this);
  toolBar_ = nullptr;
  TGraphicControl::SetParent(parent);
  if (auto* toolBar = dynamic_cast<TToolBar*>(parent)) {
    toolBar_ = toolBar;
    toolBar->InsertButton(this);
  }
}

void TToolButton::Changed() {
  if (toolBar_) toolBar_->UpdateButton(this);
}

void TToolButton::SetImageIndex(int v) {
  imageIndex_ = v;
  Changed();
}

void TToolButton::SetStyle(TToolButtonStyle v) {
  style_ = v;
  Changed();
}

// The native button's state once it exists (-1: no such button yet).
bool TToolButton::Down() const {
  HWND h = toolBar_ ? toolBar_->HandleIfAllocated() : nullptr;
  const LRESULT state = h && command_ ? SendMessageW(h, TB_GETSTATE, command_, 0) : -1;
  return state == -1 ? down_ : (state & TBSTATE_CHECKED) != 0;
}

void TToolButton::SetDown(bool v) {
  down_ = v;
  if (HWND h = toolBar_ ? toolBar_->HandleIfAllocated() : nullptr; h && command_)
    SendMessageW(h, TB_CHECKBUTTON, command_, v);
}

void TToolButton::SetMenuItem(TMenuItem* item) {
  if (menuItem_) menuItem_->RemoveFreeNotification(this);
  menuItem_ = item;
  if (item) item->FreeNotification(this);
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == menuItem_) menuItem_ = nullptr;
}

// OnClick, then the menu item's part: its sub-menu drops, or the item itself is clicked.
void TToolButton::Click() {
  TGraphicControl::Click();
  if (!menuItem_) return;
  if (menuItem_->Count() > 0 && toolBar_) toolBar_->DropMenu(this);
  else menuItem_->Click();
}

void TToolButton::WndProc(TMessage& m) {
  TGraphicControl::WndProc(m);
  if (m.Msg == CM_TEXTCHANGED || m.Msg == CM_ENABLEDCHANGED || m.Msg == CM_VISIBLECHANGED) Changed();
}

}  // namespace bus
