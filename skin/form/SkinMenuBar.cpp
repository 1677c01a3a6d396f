#include "skin/form/SkinMenuBar.h"

#include <algorithm>
#include <cwctype>

#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/Form.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/PixelTransfer.h"
#include "skin/control/SkinDrawing.h"
#include "skin/data/SkinData.h"
#include "skin/form/FrameDrawing.h"
#include "skin/form/SkinCaptionButton.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"

namespace bus {

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// Frames of the skin's menu bar picture: active and inactive, one above the other.
constexpr int kBarFrames = 2;
// Room around an item's caption, pixels.
constexpr int kItemPadding = 10;
// Longest item text read from a native menu.
constexpr int kItemTextLength = 80;

// The text of a menu bar item as drawn (its "&" marks underline).
int CaptionWidth(HDC dc, const std::wstring& caption) {
  if (caption.empty()) return 0;
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, caption.c_str(), int(caption.size()), &r, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT | DT_NOCLIP);
  return Width(r);
}

}  // namespace

const TClassInfo& TSkinMenuBar::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinMenuBar>("TSkinMenuBar", TComponent::StaticClassInfo()).Build();
  return info;
}

TSkinMenuBar::TSkinMenuBar(TSkinForm& form, TSkinData* skin) : TComponent(nullptr), skinData_(skin), form_(form) {}

TSkinMenuBar::~TSkinMenuBar() {
  SetMenu(nullptr);
  NewItems(0);
}

void TSkinMenuBar::SetMenu(TMainMenu* menu) {
  if (menu_ == menu) return;
  if (menu_) menu_->RemoveFreeNotification(this);
  menu_ = menu;
  if (menu_) menu_->FreeNotification(this);
}

void TSkinMenuBar::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component == menu_) {
    menu_ = nullptr;
    // the items show the menu's items, and the menu's native handles go with it
    NewItems(0);
    menuHandle_ = nullptr;
  }
  TComponent::Notification(component, operation);
}

TMenuBtn* TSkinMenuBar::Items(int index) const noexcept {
  return index >= 0 && index < Count() ? items_[std::size_t(index)].get() : nullptr;
}

void TSkinMenuBar::NewItems(int count) {
  items_.clear();  // an item that goes is no longer the form's hot object
  for (int i = 0; i < count; ++i) {
    auto item = std::make_unique<TMenuBtn>(form_, *this, i);
    item->SetSkinData(skinData_);
    items_.push_back(std::move(item));
  }
}

void TSkinMenuBar::RemoveNativeMenu() const {
  if (GetMenu(form_.Handle())) ::SetMenu(form_.Handle(), nullptr);
}

void TSkinMenuBar::BuildFromFormMenu() {
  if (HMENU menu = GetMenu(form_.Handle())) menuHandle_ = menu;
  if (!menuHandle_) return;
  TCustomForm* form = form_.OwnerForm();
  SetMenu(form ? form->Menu() : nullptr);
  if (!menu_) {
    // a window of other code, or a menu the form does not know: the native menu is all there is
    BuildFromNative(false);
    return;
  }
  menu_->Handle();  // the items' sub-menu handles are made with it
  TMenuItem* root = menu_->Items();
  NewItems(root->Count());
  for (int i = 0; i < root->Count(); ++i) {
    TMenuItem* source = root->Items(i);
    TMenuBtn& item = *items_[std::size_t(i)];
    item.SetVisible(source->Visible());
    item.SetEnabled(source->Enabled());
    item.SetCommand(source->Command());
    item.SetCaption(Widen(source->Caption()));
    item.SetMenuItem(source);
    item.SetSubMenu(source->Count() > 0 ? source->Handle() : nullptr);
  }
  RemoveNativeMenu();
}

void TSkinMenuBar::BuildFromWindowMenu() {
  if (HMENU menu = GetMenu(form_.Handle())) menuHandle_ = menu;
  BuildFromNative(false);
}

void TSkinMenuBar::BuildFromMenu(HMENU menu) {
  if (menu) menuHandle_ = menu;
  BuildFromNative(true);
}

void TSkinMenuBar::BuildFromNative(bool byCommand) {
  const int count = menuHandle_ ? GetMenuItemCount(menuHandle_) : 0;
  if (count <= 0) return;
  if (TCustomForm* form = form_.OwnerForm()) SetMenu(form->Menu());
  if (menu_) menu_->Handle();
  NewItems(count);
  for (int i = 0; i < count; ++i) {
    TMenuBtn& item = *items_[std::size_t(i)];
    wchar_t text[kItemTextLength + 1] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = kItemTextLength;
    if (!GetMenuItemInfoW(menuHandle_, UINT(i), TRUE, &info)) continue;
    item.SetSubMenu(info.hSubMenu);
    item.SetEnabled(!(info.fState & (MFS_GRAYED | MFS_DISABLED)));
    item.SetVisible(true);
    item.SetCommand(info.wID);
    item.SetCaption(text);
    if (text[0] || !menu_) continue;
    // an item with no text of its own (drawn by its owner): what the form's menu says of it
    TMenuItem* root = menu_->Items();
    if (!byCommand) {
      if (i >= root->Count()) continue;
      TMenuItem* source = root->Items(i);
      item.SetCaption(Widen(source->Caption()));
      item.SetEnabled(source->Enabled());
      item.SetSubMenu(source->Count() > 0 ? source->Handle() : nullptr);
      item.SetMenuItem(source);
      item.SetCommand(GetMenuItemID(menuHandle_, i));
      continue;
    }
    for (int k = 0; k < root->Count(); ++k) {
      TMenuItem* source = root->Items(k);
      if (source->Command() != info.wID) continue;
      item.SetCaption(Widen(source->Caption()));
      item.SetEnabled(source->Enabled());
      item.SetCommand(source->Command());
      item.SetSubMenu(source->Count() > 0 ? source->Handle() : nullptr);
      item.SetMenuItem(source);
    }
  }
  RemoveNativeMenu();
}

void TSkinMenuBar::Paint(HDC dc, const RECT& r) {
  const int w = Width(r), h = Height(r);
  if (w <= 0 || h <= 0) return;
  TBitmap bar(w, h, pf32bit);
  HDC canvas = bar.Canvas().Handle();
  const RECT all{0, 0, w, h};
  const TDataSkinObject* object = skinData_->MenuBar();
  int start = 6;
  if (object && !object->Image().Empty()) {
    const int frame = form_.Active() ? 1 : 2;
    if (object->Tile() == 1) {
      DrawSkinImage(canvas, all, object->Image(), true, false, false, kBarFrames, frame, object->Margins());
    } else {
      DrawSkinBand(canvas, all, object->Image(), true, false, kBarFrames, frame, object->Margins());
    }
    start = form_.RightToLeft() ? object->RightWidth() + 8 : object->LeftWidth() + 4;
    if (start > w) start = 12;
  } else {
    const GdiObject<HBRUSH> face(CreateSolidBrush(ColorToRGB(skinData_->Menubar())));
    FillRect(canvas, &all, face.Get());
  }
  barRect_ = r;
  background_.Assign(bar);

  const SavedDCState saved(canvas);
  SelectObject(canvas, Screen().MenuFont().Handle());
  SetBkMode(canvas, TRANSPARENT);
  int x = form_.RightToLeft() ? w - start : start;
  for (const auto& item : items_) {
    if (!item->Visible()) {
      item->SetRect({0, 0, 0, 0});
      continue;
    }
    const int itemWidth = item->Caption().empty() ? 0 : CaptionWidth(canvas, item->Caption()) + kItemPadding;
    RECT cell = form_.RightToLeft() ? RECT{x - itemWidth, 0, x, h - 1} : RECT{x, 0, x + itemWidth, h - 1};
    SetTextColor(canvas, ColorToRGB(skinData_->MenuBarText()));
    DrawCentredText(canvas, cell, item->Caption(), DT_CENTER, item->Enabled());
    OffsetRect(&cell, r.left, r.top);
    item->SetRect(cell);
    item->SetState(kNCNormal);
    x += form_.RightToLeft() ? -itemWidth : itemWidth;
  }

  // the window-control buttons of a maximised MDI child sit at the bar's end
  if (form_.Kind() == kKindMDIFrame && form_.IsActiveChildMaximized()) {
    for (const auto& button : form_.CaptionButtons()) {
      const TDataSkinSysButton& skin = button->SkinButton();
      if (skin.Visibility() != kVisibilityMenuBar || skin.Image().Empty()) continue;
      RECT at = button->Rect();
      OffsetRect(&at, -r.left, -r.top);
      DrawSkinFrame(canvas, at, skin.Image(), true, std::max(skin.Frame(), 1), 1);
    }
    if (SkinManager && !SkinManager->MDIMaximized()) SkinManager->SetMDIMaximized(true);
  }
  PutPixels(dc, r.left, r.top, ViewOf(bar));
}

void TSkinMenuBar::PaintItem(const TMenuBtn& item) {
  const RECT& r = item.Rect();
  const int w = Width(r), h = Height(barRect_);
  if (w <= 0 || h <= 0 || background_.Empty() || !item.Visible()) return;
  const WindowDC window = WindowDC::Whole(form_.Handle());
  if (!window) return;
  TBitmap piece(w, h, pf32bit);
  HDC dc = piece.Canvas().Handle();
  PutPixels(dc, -(r.left - barRect_.left), 0, ViewOf(background_));
  RECT cell{0, r.top - barRect_.top, w, r.top - barRect_.top + Height(r)};
  if (item.State() == kNCPressed || item.State() == kNCHot) {
    const GdiObject<HBRUSH> line(CreateSolidBrush(ColorToRGB(skinData_->ButtonHilight())));
    FrameRect(dc, &cell, line.Get());
  }
  const SavedDCState saved(dc);
  SelectObject(dc, Screen().MenuFont().Handle());
  SetTextColor(dc, ColorToRGB(skinData_->MenuBarText()));
  DrawCentredText(dc, cell, item.Caption(), DT_CENTER, item.Enabled());
  PutPixels(window.Get(), r.left, barRect_.top, ViewOf(piece));
}

TMenuBtn* TSkinMenuBar::FindItem(POINT p) const {
  for (const auto& item : items_) {
    if (!item->Caption().empty() && PtInRect(&item->Rect(), p)) return item.get();
  }
  return nullptr;
}

TMenuBtn* TSkinMenuBar::FindAccelItem(wchar_t ch) const {
  const wchar_t wanted = wchar_t(std::towlower(ch));
  for (const auto& item : items_) {
    if (item->Enabled() && item->Visible() && item->Accelerator() == wanted) return item.get();
  }
  return nullptr;
}

void DrawCentredText(HDC dc, const RECT& r, const std::wstring& text, UINT alignment, bool enabled) {
  const UINT format = alignment | DT_SINGLELINE | DT_EXPANDTABS;
  SetBkMode(dc, TRANSPARENT);
  RECT t = r;
  DrawTextW(dc, text.c_str(), int(text.size()), &t, format | DT_CALCRECT | DT_NOCLIP);
  const int w = Width(t), h = Height(t);
  t.left = r.left + (Width(r) - w) / 2;
  t.top = r.top + (Height(r) - h) / 2;
  t.right = t.left + w;
  t.bottom = t.top + h;
  if (!enabled) SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  DrawTextW(dc, text.c_str(), int(text.size()), &t, format);
}

}  // namespace bus
