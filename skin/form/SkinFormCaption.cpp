// The caption buttons of TSkinForm, the non-client mouse, the skin's system popup and the window
// commands they lead to.
//
// The buttons come from the skin's SysButtons: which of them shows depends on the window (its
// system menu and boxes, its state, whether it is active or a dialog) and on each button's two
// visibility tests; each is placed by its Align, left or right in the caption or beside the caption
// text. A button runs its action when it is pressed and released on it; the mouse over a button
// makes it hot, leaving it (seen by the next mouse move or the hover timer) makes it normal again.
#include <windows.h>

#include <algorithm>

#include "framework/controls/Menus.h"
#include "framework/controls/Timer.h"
#include "skin/control/PixelTransfer.h"
#include "skin/control/SkinDrawing.h"
#include "skin/data/SkinData.h"
#include "skin/form/MenuBtn.h"
#include "skin/form/SkinCaptionButton.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"
#include "skin/form/SkinMenuBar.h"

namespace bus {

namespace {

// Visibility values.
constexpr int kVisibleAlways = 0;
constexpr int kVisibleMaximized = 1;
constexpr int kVisibleNotMaximized = 2;
constexpr int kVisibleActive = 3;
constexpr int kVisibleInactive = 4;
constexpr int kVisibleMaximizeBox = 6;
constexpr int kVisibleNoMaximizeBox = 7;
constexpr int kVisibleMinimizeBox = 8;
constexpr int kVisibleNoMinimizeBox = 9;
constexpr int kVisibleDialogFrame = 200;
constexpr int kVisibleFrom = 201;          // 201 … 999 (first test), 201 … 2000 (second): always
constexpr int kVisibleAskFrom = 1000;      // 1000 … 2000 (first test): the window decides (0x3515)
constexpr int kVisibleTo = 2000;

// Align values.
constexpr int kAlignLeft = 0;
constexpr int kAlignRight = 1;
constexpr int kAlignBeforeText = 2;
constexpr int kAlignBeforeText2 = 8;
constexpr int kAlignAfterText = 3;
constexpr int kAlignAfterText2 = 9;
constexpr int kAlignMenuBar = 100;

// Window-control buttons of a maximised MDI child, in the frame's menu bar.
constexpr int kActionChildMinimize = 7, kActionChildMinimize2 = 60;
constexpr int kActionChildRestore = 8, kActionChildRestore2 = 61;
constexpr int kActionChildClose = 9, kActionChildClose2 = 62;

int PointX(LPARAM lParam) { return short(LOWORD(lParam)); }
int PointY(LPARAM lParam) { return short(HIWORD(lParam)); }

}  // namespace

// --- Visibility, layout and drawing ---------------------------------------------------------------

bool TSkinForm::IsButtonVisible(int index) {
  TSkinCaptionButton& button = *captionButtons_.at(std::size_t(index));
  const TDataSkinSysButton& skin = button.SkinButton();
  const bool systemMenu = captionFlags_ & kCaptionSystemMenu;
  const bool maximizeBox = captionFlags_ & kCaptionMaximize;
  const bool minimizeBox = captionFlags_ & kCaptionMinimize;
  // first: the Visibility test (with the system-menu condition); second: Visibility1's
  const auto test = [&](int visibility, bool first) {
    switch (visibility) {
      case kVisibleAlways:
        return !first || skin.Action() != kActionClose || systemMenu;
      case kVisibleMaximized:
        return windowState_ == kStateMaximized;
      case kVisibleNotMaximized:
        return windowState_ != kStateMaximized;
      case kVisibleActive:
        return active_;
      case kVisibleInactive:
        return !active_;
      case kVisibleMaximizeBox:
        return maximizeBox && (!first || systemMenu);
      case kVisibleNoMaximizeBox:
        return !maximizeBox;
      case kVisibleMinimizeBox:
        return minimizeBox && (!first || systemMenu);
      case kVisibleNoMinimizeBox:
        return !minimizeBox;
      case kVisibilityMenuBar:
        // an MDI frame whose active child is maximised shows them in its menu bar
        return menuHeight_ > 0 && IsActiveChildMaximized();
      case kVisibleDialogFrame:
        return borderStyle_ == kBorderDialog && !isDialog_;
      default:
        if (visibility >= kVisibleFrom && visibility < kVisibleAskFrom) return true;
        if (visibility >= kVisibleAskFrom && visibility <= kVisibleTo) {
          return !first || SendMessageW(handle_, kSkinMsgButtonVisible, WPARAM(index), 0) > 0;
        }
        return false;
    }
  };
  const bool first = test(skin.Visibility(), true);
  const bool second = skin.Visibility1() == kVisibilityMenuBar ? first : test(skin.Visibility1(), false);
  bool visible = first && second;
  switch (skin.Action()) {
    case kActionMaximize:
      visible = visible && maximizeBox;
      break;
    case kActionMinimize:
      visible = visible && minimizeBox;
      break;
    case kActionSystemMenu:
    case kActionSystemMenu2:
    case kActionSystemMenu3:
      visible = visible && borderStyle_ != kBorderDialog;
      break;
    default:
      break;
  }
  button.SetVisible(visible);
  return visible;
}

void TSkinForm::LayoutCaptionButtons() {
  DropStaleCaptionButtons();
  int rightEdge = 0;  // the leftmost of the buttons placed from the right
  const TDataSkinObject* menuBar = skinData_->MenuBar();
  for (std::size_t i = 0; i < captionButtons_.size(); ++i) {
    TSkinCaptionButton& button = *captionButtons_[i];
    const TDataSkinSysButton& skin = button.SkinButton();
    if (!IsButtonVisible(int(i)) || skin.Image().Empty()) continue;
    const int w = skin.Image().Width() / std::max(skin.Frame(), 1), h = skin.Image().Height();
    POINT at{0, 0};
    switch (skin.Align()) {
      case kAlignLeft:
        at = {skin.Xcoord(), skin.Ycoord()};
        break;
      case kAlignRight:
        at = {windowWidth_ - skin.Xcoord(), skin.Ycoord()};
        if (at.x > 0 && (rightEdge == 0 || at.x < rightEdge)) rightEdge = at.x;
        break;
      case kAlignBeforeText:
      case kAlignBeforeText2:
        at = {textRect_.left - w - skin.Xcoord(), skin.Ycoord()};
        break;
      case kAlignAfterText:
      case kAlignAfterText2:
        at = {textRect_.right + skin.Xcoord(), skin.Ycoord()};
        break;
      case kAlignMenuBar: {
        const int inset = menuBar ? menuBar->LeftWidth() : 0;
        at.y = (menuHeight_ - h) / 2 + frameTop_;
        at.x = rightToLeft_ ? skin.Xcoord() + frameLeft_ + inset : windowWidth_ - skin.Xcoord() - frameRight_ - inset;
        break;
      }
      default:
        break;
    }
    button.SetRect({at.x, at.y, at.x + w, at.y + h});
  }
  buttonsLeftEdge_ = rightEdge;
}

int TSkinForm::CaptionButtonFrame(const TSkinCaptionButton& button, int state) const noexcept {
  const TDataSkinSysButton& skin = button.SkinButton();
  const int frames = std::max(skin.Frame(), 1);
  int frame = 1;
  if (state == kNCPressed) frame = 2;
  else if (state == kNCHot) frame = skin.Visibility() == kVisibilityMenuBar ? 4 : 3;
  else frame = active_ || frames < 4 ? 1 : 4;  // frame 4: the inactive caption's
  return frame <= frames ? frame : 1;
}

void TSkinForm::DrawCaptionButtons(HDC dc) {
  DropStaleCaptionButtons();
  for (const auto& button : captionButtons_) {
    const TDataSkinSysButton& skin = button->SkinButton();
    if (!button->Visible() || skin.Image().Empty() || skin.Visibility() == kVisibilityMenuBar) continue;
    const RECT& r = button->Rect();
    if (button->ShowsIcon()) DrawWindowIcon(dc, r.left, r.top);
    else DrawSkinFrame(dc, r, skin.Image(), true, std::max(skin.Frame(), 1), CaptionButtonFrame(*button, kNCNormal));
  }
}

void TSkinForm::DrawSysButton(const TSkinCaptionButton& button, int state) {
  if (CaptionButtonsStale()) return;  // dropped at the next layout
  const TDataSkinSysButton& skin = button.SkinButton();
  const RECT r = button.Rect();
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (!button.Visible() || skin.Image().Empty() || w <= 0 || h <= 0) return;
  const WindowDC window = WindowDC::Whole(handle_);
  if (!window) return;
  // composed over the caption as it was painted without buttons, so that the transparent parts of
  // this state do not show the state before
  TBitmap piece(w, h, pf32bit);
  HDC dc = piece.Canvas().Handle();
  if (skin.Visibility() == kVisibilityMenuBar) {
    // a maximised MDI child's button in the menu bar: over the bar as it was painted without items
    if (!menuBar_ || menuBar_->Background().Empty()) return;
    const RECT& bar = menuBar_->BarRect();
    PutPixels(dc, bar.left - r.left, bar.top - r.top, ViewOf(menuBar_->Background()));
  } else {
    const bool onCaption = r.left >= 0 && r.top >= 0 && r.right <= captionBack_.Width() && r.bottom <= captionBack_.Height();
    if (!onCaption) return;
    PutPixels(dc, -r.left, -r.top, ViewOf(captionBack_));
  }
  if (button.ShowsIcon()) DrawWindowIcon(dc, 0, 0);
  else DrawSkinFrame(dc, {0, 0, w, h}, skin.Image(), true, std::max(skin.Frame(), 1), CaptionButtonFrame(button, state));
  PutPixels(window.Get(), r.left, r.top, ViewOf(piece));
}

TSkinCaptionButton* TSkinForm::FindCaptionButton(POINT p) const {
  if (CaptionButtonsStale()) return nullptr;
  for (const auto& button : captionButtons_) {
    if (button->Visible() && button->Clickable() && PtInRect(&button->Rect(), p)) return button.get();
  }
  return nullptr;
}

void TSkinForm::FreeCaptionButtons() noexcept {
  hotObject_ = nullptr;
  captionButtons_.clear();
}

bool TSkinForm::CaptionButtonsStale() const noexcept {
  return skinData_ && captionButtons_.size() != skinData_->SysButtons().size();
}

void TSkinForm::DropStaleCaptionButtons() noexcept {
  if (CaptionButtonsStale()) FreeCaptionButtons();
}

// --- The window's icon --------------------------------------------------------------------------

void TSkinForm::LoadWindowIcon() {
  iconSize_ = GetSystemMetrics(SM_CXSMICON);
  const int height = GetSystemMetrics(SM_CYSMICON);
  iconBitmap_.SetPixelFormat(pf32bit);
  iconBitmap_.SetSize(iconSize_, height);
  {
    const GdiObject<HBRUSH> magenta(CreateSolidBrush(RGB(255, 0, 255)));
    const RECT all{0, 0, iconSize_, height};
    FillRect(iconBitmap_.Canvas().Handle(), &all, magenta.Get());
  }
  iconHandle_ = reinterpret_cast<HICON>(SendMessageW(handle_, WM_GETICON, ICON_SMALL, 0));
  if (!iconHandle_) iconHandle_ = reinterpret_cast<HICON>(SendMessageW(handle_, WM_GETICON, ICON_BIG, 0));
  if (iconHandle_) {
    const IconHandle copy(static_cast<HICON>(CopyImage(iconHandle_, IMAGE_ICON, iconSize_, height, LR_COPYFROMRESOURCE)));
    HDC dc = iconBitmap_.Canvas().Handle();
    DrawIconEx(dc, 0, 0, copy ? copy.Get() : iconHandle_, iconSize_, height, 0, nullptr, DI_NORMAL);
    return;
  }
  // no icon of its own: the application icon a main skin has cached, else this skin's
  TBitmap* appIcon = &skinData_->AppIcon();
  if (appIcon->Empty() && SkinManager) {
    for (TSkinData* other : SkinManager->SkinDatas()) {
      if (other->SkinFormtype() == TSkinFormType::sfMainform && !other->AppIcon().Empty()) appIcon = &other->AppIcon();
    }
  }
  if (!appIcon->Empty()) iconBitmap_.Assign(*appIcon);
}

void TSkinForm::DrawWindowIcon(HDC dc, int x, int y) const {
  if (iconHandle_) {
    DrawIconEx(dc, x, y, iconHandle_, iconSize_, iconSize_, 0, nullptr, DI_NORMAL);
  } else if (!iconBitmap_.Empty()) {
    DrawTransparent(dc, {x, y, x + iconSize_, y + iconSize_}, iconBitmap_, TColor(0xFF00FF));
  }
}

// --- The non-client mouse -----------------------------------------------------------------------

void TSkinForm::WmNcMouseMove(TMessage& m) {
  if (!active_) return Default(m);
  if (TNCObject* object = FindNCObject(ScreenToFrame(PointX(m.LParam), PointY(m.LParam)))) {
    object->MouseMove();
    m.Result = 0;
    return;
  }
  if (hotObject_) hotObject_->MouseLeave();
  Default(m);
}

void TSkinForm::WmNcLButtonDown(TMessage& m) {
  if (TNCObject* object = FindNCObject(ScreenToFrame(PointX(m.LParam), PointY(m.LParam)))) {
    m.Result = 0;
    auto* item = dynamic_cast<TMenuBtn*>(object);
    if (item && trackingMenu_) {
      // a press that moves to another bar item while a drop-down is open: the open menu ends
      // first, then the press opens the item
      EndMenu();
      PostMessageW(handle_, m.Msg, m.WParam, m.LParam);
      return;
    }
    if (!active_) SetForegroundWindow(handle_);
    object->MouseDown();
    if (item) OpenMenu(*item);
    return;
  }
  // a maximised window cannot be dragged by its caption
  if (windowState_ == kStateMaximized && m.WParam == HTCAPTION && active_) m.WParam = HTMENU;
  Default(m);
}

void TSkinForm::WmNcLButtonUp(TMessage& m) {
  TNCObject* object = FindNCObject(ScreenToFrame(PointX(m.LParam), PointY(m.LParam)));
  if (!object) return Default(m);
  m.Result = 0;
  // a bar item opened its menu when it was pressed
  auto* button = dynamic_cast<TSkinCaptionButton*>(object);
  if (!button) return;
  // only a button pressed and released on it acts
  if (button != hotObject_ || button->State() != kNCPressed) return;
  button->MouseUp();
  PerformAction(*button, PointX(m.LParam), PointY(m.LParam));
}

void TSkinForm::WmNcLButtonDblClk(TMessage& m) {
  m.Result = 0;  // never the platform's: it would act on its own idea of the frame
  if (TSkinCaptionButton* button = FindCaptionButton(ScreenToFrame(PointX(m.LParam), PointY(m.LParam)))) {
    // a second quick press on a button is a press like the first
    button->MouseDown();
    return;
  }
  if (m.WParam != HTCAPTION) return;
  if (windowState_ != kStateNormal) Restore();
  else if (captionFlags_ & kCaptionMaximize) Maximize();
}

void TSkinForm::WmNcRButtonDown(TMessage& m) {
  if (m.WParam == HTCAPTION && kind_ != kKindMDIChild) {
    ShowSystemMenu({PointX(m.LParam), PointY(m.LParam)});
    m.Result = 0;
    return;
  }
  Default(m);
}

// --- Actions and commands -----------------------------------------------------------------------

void TSkinForm::PerformAction(const TSkinCaptionButton& button, int x, int y) {
  const int action = button.SkinButton().Action();
  switch (action) {
    case kActionClose:
      hoverTimer_->SetEnabled(false);
      PostMessageW(handle_, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case kActionMaximize:
    case kActionMaximize2:
      Maximize();
      break;
    case kActionMinimize:
    case kActionMinimize2:
      Minimize();
      break;
    case kActionSystemMenu:
    case kActionSystemMenu2:
    case kActionSystemMenu3:
      ShowSystemMenu({x + 1, y + 1});
      break;
    case kActionChildMinimize:
    case kActionChildMinimize2:
      MDIChildCommand(SC_MINIMIZE);
      break;
    case kActionChildRestore:
    case kActionChildRestore2:
      MDIChildCommand(SC_RESTORE);
      break;
    case kActionChildClose:
    case kActionChildClose2:
      MDIChildCommand(SC_CLOSE);
      break;
    default:
      // a button of the skin's own: the program decides
      PostMessageW(handle_, kSkinMsgCaptionAction, WPARAM(action), 0);
      break;
  }
}

void TSkinForm::Maximize() {
  if (windowState_ == kStateMaximized) return Restore();
  if (kind_ == kKindMDIChild && SkinManager) SkinManager->SetMDIMaximized(true);
  PostMessageW(handle_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  hotObject_ = nullptr;
}

void TSkinForm::Minimize() {
  if (windowState_ == kStateMinimized) return Restore();
  PostMessageW(handle_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TSkinForm::Restore() { PostMessageW(handle_, WM_SYSCOMMAND, SC_RESTORE, 0); }

void TSkinForm::ShowSystemMenu(POINT p) {
  if (systemPopup_) {
    for (int i = 0; i < systemPopup_->Items()->Count(); ++i) {
      TMenuItem* item = systemPopup_->Items()->Items(i);
      switch (item->Tag()) {
        case kPopupRestore:
          item->SetEnabled(windowState_ != kStateNormal);
          break;
        case kPopupMaximize:
          item->SetEnabled(windowState_ != kStateMaximized);
          break;
        case kPopupMinimize:
          item->SetEnabled(windowState_ != kStateMinimized);
          break;
        default:
          break;
      }
    }
  }
  const unsigned now = GetTickCount();
  if (now - lastMenuTick_ > doubleClickTime_) {
    if (SkinManager) SkinManager->SetMenuMode(kMenuModeSystem);
    lastMenuTick_ = now;
    if (systemPopup_ && skinData_->SkinControls().Contains(TSkinControlType::xcSystemMenu) &&
        kind_ != kKindMDIChild) {
      systemPopup_->Popup(p.x, p.y);
    } else if (HMENU menu = GetSystemMenu(handle_, FALSE)) {
      TrackPopupMenu(menu, TPM_RIGHTBUTTON, p.x, p.y, 0, handle_, nullptr);
    }
  } else if (hotObject_) {
    // a double click on the system-menu button
    hoverTimer_->SetEnabled(false);
    PostMessageW(handle_, WM_CLOSE, 0, 0);
  }
}

void TSkinForm::BuildSystemPopup() {
  systemPopup_ = std::make_unique<TPopupMenu>(nullptr);
  systemPopup_->SetTag(kSystemPopupTag);
  systemPopup_->SetOwnerDraw(true);
  systemPopup_->SetImages(&skinData_->MenuImages());
  const auto add = [this](const char* caption, int tag, TShortCut shortCut = 0) {
    auto* item = new TMenuItem(systemPopup_.get());
    item->SetCaption(caption);
    item->SetTag(tag);
    item->SetImageIndex(tag);
    item->SetShortCut(shortCut);
    item->OnClick = TNotifyEvent([this](TObject* sender) { SystemPopupClick(static_cast<TMenuItem*>(sender)); });
    systemPopup_->Items()->Add(item);
  };
  add(" Restore ", kPopupRestore);
  if (captionFlags_ & kCaptionMaximize) add(" Maximize ", kPopupMaximize);
  if (captionFlags_ & kCaptionMinimize) add(" Minimize ", kPopupMinimize);
  add("-", kPopupSeparator);
  add(" Close ", kPopupClose, TextToShortCut("Shift+F4"));
  SkinPopupItems(*systemPopup_, true);
}

void TSkinForm::SystemPopupClick(TMenuItem* item) {
  switch (item ? item->Tag() : -1) {
    case kPopupRestore:
      Restore();
      break;
    case kPopupMaximize:
      Maximize();
      break;
    case kPopupMinimize:
      Minimize();
      break;
    case kPopupClose:
      hoverTimer_->SetEnabled(false);
      PostMessageW(handle_, WM_CLOSE, 0, 0);
      break;
    default:
      break;
  }
}

void TSkinForm::WmCommand(TMessage& m) {
  switch (LOWORD(m.WParam)) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE:
      // the platform's system menu, tracked by us, says what was chosen as a command
      PostMessageW(handle_, WM_SYSCOMMAND, LOWORD(m.WParam), 0);
      m.Result = 0;
      return;
    default:
      Default(m);
      return;
  }
}

void TSkinForm::WmSysCommand(TMessage& m) {
  const UINT command = UINT(m.WParam) & 0xFFF0;
  if (!trackingMenu_ && command == SC_KEYMENU && m.LParam != ' ' && m.LParam != '-' && !GetCapture() &&
      KeyMenu(m.LParam)) {
    // the platform would open its own menu mode over the skin's caption
    m.Result = 1;
    return;
  }
  if (kind_ == kKindMDIChild && command == SC_MINIMIZE) SetFrameStyles(true);
  if (kind_ == kKindMDIChild && command == SC_RESTORE) SetFrameStyles(false);
  Default(m);
  // what really happened: the main form, for one, hides rather than minimises
  if (life_ < kLifeDestroying) UpdateWindowState();
}

}  // namespace bus
