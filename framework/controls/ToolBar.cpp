#include "framework/controls/ToolBar.h"

#include <commctrl.h>

#include <algorithm>

#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/CanvasBinding.h"
#include "framework/controls/ImageList.h"
#include "framework/controls/Menus.h"
#include "framework/controls/ToolButton.h"

namespace bus {

const TClassInfo& TToolBar::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TToolBar>("TToolBar", TWinControl::StaticClassInfo())
          .Creatable()
          .Bool("Flat", &TToolBar::Flat, &TToolBar::SetFlat, false)
          .Bool("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions, false)
          .Reference<TImageList>("Images", &TToolBar::Images, &TToolBar::SetImages)
          .Int("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth, 23)
          .Int("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight, 22)
          .Reference<TMainMenu>("Menu", &TToolBar::Menu, &TToolBar::SetMenu)
          .Event("OnCustomDrawButton", &TToolBar::OnCustomDrawButton)
          .Build();
  return info;
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {
  clickOnMouseUp_ = false;  // its buttons click, not the bar
  SetBounds(0, 0, 150, 29);
  SetAlign(TAlign::alTop);
}

TToolBar::~TToolBar() = default;

void TToolBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.sysClassName = TOOLBARCLASSNAMEW;
  p.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (flat_) p.style |= TBSTYLE_FLAT;
}

void TToolBar::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(HandleIfAllocated(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  ApplySettings();
  UpdateButtons();
}

void TToolBar::Loaded() {
  TWinControl::Loaded();
  if (menu_) MakeMenuButtons();
}

// Images (no images: buttons of captions only) and the smallest button size.
void TToolBar::ApplySettings() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  SendMessageW(h, TB_SETIMAGELIST, 0, LPARAM(images_ ? images_->Handle() : nullptr));
  if (images_) SendMessageW(h, TB_SETBITMAPSIZE, 0, MAKELPARAM(images_->Width(), images_->Height()));
  else SendMessageW(h, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
  SendMessageW(h, TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
}

void TToolBar::SetFlat(bool v) {
  flat_ = v;
  if (HWND h = HandleIfAllocated()) {
    const LRESULT style = SendMessageW(h, TB_GETSTYLE, 0, 0);
    SendMessageW(h, TB_SETSTYLE, 0, v ? (style | TBSTYLE_FLAT) : (style & ~LRESULT(TBSTYLE_FLAT)));
    InvalidateRect(h, nullptr, TRUE);
  }
}

void TToolBar::SetShowCaptions(bool v) {
  showCaptions_ = v;
  UpdateButtons();
}

void TToolBar::SetImages(TImageList* v) {
  if (images_) images_->RemoveFreeNotification(this);
  images_ = v;
  if (v) v->FreeNotification(this);
  ApplySettings();
  UpdateButtons();
}

void TToolBar::SetButtonWidth(int v) {
  buttonWidth_ = v;
  ApplySettings();
  PlaceButtons();
}

void TToolBar::SetButtonHeight(int v) {
  buttonHeight_ = v;
  ApplySettings();
  PlaceButtons();
}

void TToolBar::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  if (menu_) menu_->RemoveFreeNotification(this);
  menu_ = menu;
  if (menu) menu->FreeNotification(this);
  if (!Loading()) MakeMenuButtons();
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == images_) {
    images_ = nullptr;
    ApplySettings();
  }
  if (component == menu_) {
    menu_ = nullptr;
    if (!Destroying()) MakeMenuButtons();
  }
}

// The buttons made for the previous menu go; the new menu's visible top items get one each.
void TToolBar::MakeMenuButtons() {
  std::vector<TToolButton*> old;
  old.swap(menuButtons_);
  for (TToolButton* b : old) b->Free();
  if (!menu_) return;
  TMenuItem* top = menu_->Items();
  for (int i = 0; i < top->Count(); ++i) {
    TMenuItem* item = top->Items(i);
    if (!item->Visible()) continue;
    auto* b = new TToolButton(this);
    b->SetCaption(item->Caption());
    b->SetMenuItem(item);
    b->SetParent(this);
    menuButtons_.push_back(b);
  }
  SetShowCaptions(true);
}

void TToolBar::InsertButton(TToolButton* button) {
  button->command_ = nextCommand_++;
  buttons_.push_back(button);
  UpdateButtons();
}

void TToolBar::RemoveButton(TToolButton* button) {
  std::erase(buttons_, button);
  std::erase(menuButtons_, button);
  if (!Destroying()) UpdateButtons();
}

TToolButton* TToolBar::FindButton(UINT command) const {
  const auto it = std::find_if(buttons_.begin(), buttons_.end(), [command](TToolButton* b) { return b->command_ == command; });
  return it == buttons_.end() ? nullptr : *it;
}

void TToolBar::UpdateButton(TToolButton*) { UpdateButtons(); }

// The native buttons are made again from the children (keeping what the user checked).
void TToolBar::UpdateButtons() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  for (TToolButton* b : buttons_) b->down_ = b->Down();
  while (SendMessageW(h, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(h, TB_DELETEBUTTON, 0, 0);
  for (TToolButton* b : buttons_) {
    std::wstring text = Widen(b->Caption());
    TBBUTTON native{};
    native.idCommand = int(b->command_);
    native.iBitmap = images_ && b->imageIndex_ >= 0 ? b->imageIndex_ : I_IMAGENONE;
    native.fsState = BYTE((b->Enabled() ? TBSTATE_ENABLED : 0) | (b->down_ ? TBSTATE_CHECKED : 0) |
                          (b->Visible() ? 0 : TBSTATE_HIDDEN));
    switch (b->style_) {
      case TToolButtonStyle::tbsCheck:
        native.fsStyle = BTNS_CHECK;
        break;
      case TToolButtonStyle::tbsSeparator:
      case TToolButtonStyle::tbsDivider:
        native.fsStyle = BTNS_SEP;
        native.iBitmap = 6;  // a separator's width
        break;
      default:
        native.fsStyle = BTNS_BUTTON;
        break;
    }
    if (showCaptions_ && native.fsStyle != BTNS_SEP) {
      native.fsStyle |= BTNS_AUTOSIZE;
      native.iString = INT_PTR(text.c_str());  // copied by the tool bar
    } else {
      native.iString = -1;
    }
    SendMessageW(h, TB_ADDBUTTONSW, 1, LPARAM(&native));
  }
  PlaceButtons();
}

void TToolBar::PlaceButtons() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  for (size_t i = 0; i < buttons_.size(); ++i) {
    RECT r{};
    if (SendMessageW(h, TB_GETITEMRECT, WPARAM(i), LPARAM(&r)))
      buttons_[i]->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
}

void TToolBar::DropMenu(TToolButton* button) {
  HWND h = Handle();
  menu_->Handle();  // builds the native menus, the item's sub-menu among them
  HMENU sub = button->MenuItem()->Handle();
  if (!sub) return;
  RECT r{};
  SendMessageW(h, TB_GETRECT, button->command_, LPARAM(&r));
  MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&r), 2);
  SendMessageW(h, TB_PRESSBUTTON, button->command_, TRUE);
  TrackMenu(sub, r.left, r.bottom);
  if (HandleAllocated()) SendMessageW(h, TB_PRESSBUTTON, button->command_, FALSE);
}

// Custom drawing asks for each button only while OnCustomDrawButton is assigned.
void TToolBar::CnNotify(TMessage& m) {
  const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
  if (header->code != NM_CUSTOMDRAW || !OnCustomDrawButton.Assigned()) return;
  auto* draw = reinterpret_cast<NMTBCUSTOMDRAW*>(m.LParam);
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      m.Result = CDRF_NOTIFYITEMDRAW;
      break;
    case CDDS_ITEMPREPAINT: {
      bool defaultDraw = true;
      if (TToolButton* button = FindButton(UINT(draw->nmcd.dwItemSpec))) {
        CanvasBinding binding(*canvas_, draw->nmcd.hdc);
        OnCustomDrawButton(this, button, draw->nmcd.uItemState, defaultDraw);
      }
      m.Result = defaultDraw ? CDRF_DODEFAULT : CDRF_SKIPDEFAULT;
      break;
    }
    default:
      m.Result = CDRF_DODEFAULT;
      break;
  }
}

// Mouse messages go to the native tool bar itself: its buttons are its own, not window-less
// children to route them to.
void TToolBar::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (TToolButton* button = FindButton(LOWORD(m.WParam))) button->Click();
      return;
    case CN_NOTIFY:
      return CnNotify(m);
    default:
      break;
  }
  if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST) return TControl::WndProc(m);
  TWinControl::WndProc(m);
  if (m.Msg == WM_SIZE) PlaceButtons();
}

}  // namespace bus
