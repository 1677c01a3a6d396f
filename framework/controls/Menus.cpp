#include "framework/controls/Menus.h"

#include <algorithm>
#include <cassert>
#include <map>
#include <memory>

#include "core/TextUtil.h"
#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/ImageList.h"
#include "framework/controls/MenuItemCanvas.h"
#include "framework/controls/Screen.h"
#include "framework/controls/UtilWindow.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandles.h"

namespace bus {

namespace {

std::map<UINT, TMenuItem*>& Commands() {
  static std::map<UINT, TMenuItem*> commands;  // command identifier -> item
  return commands;
}

UINT NewCommand(TMenuItem* item) {
  static UINT next = 1;
  auto& commands = Commands();
  for (int tries = 0; tries < 0x7FFF; ++tries) {
    const UINT id = next;
    next = next >= 0x7FFF ? 1 : next + 1;
    if (!commands.count(id)) {
      commands[id] = item;
      return id;
    }
  }
  throw EComponentError("too many menu items");
}

const std::pair<WORD, const char*> kKeyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},    {VK_ESCAPE, "Esc"}, {VK_RETURN, "Enter"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},  {VK_END, "End"},    {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"}, {VK_INSERT, "Ins"},   {VK_DELETE, "Del"}};

std::string KeyName(WORD key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, char(key));
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  for (const auto& [k, name] : kKeyNames)
    if (k == key) return name;
  return {};
}

}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
  const std::string key = KeyName(shortCut & 0xFF);
  if (key.empty()) return {};
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + key;
}

TShortCut TextToShortCut(std::string_view text) {
  TShortCut mods = 0;
  for (;;) {
    const size_t plus = text.find('+');
    if (plus == std::string_view::npos || plus + 1 == text.size()) break;
    const std::string_view mod = text.substr(0, plus);
    if (EqualsIgnoringAsciiCase(mod, "Shift")) mods |= scShift;
    else if (EqualsIgnoringAsciiCase(mod, "Ctrl")) mods |= scCtrl;
    else if (EqualsIgnoringAsciiCase(mod, "Alt")) mods |= scAlt;
    else return 0;
    text.remove_prefix(plus + 1);
  }
  for (WORD key = 1; key < 256; ++key)
    if (const std::string name = KeyName(key); !name.empty() && EqualsIgnoringAsciiCase(name, text))
      return TShortCut(mods | key);
  return 0;
}

// --- items ----------------------------------------------------------------------------------

const TClassInfo& TMenuItem::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TMenuItem>("TMenuItem", TComponent::StaticClassInfo())
                                     .Creatable()
                                     .Text("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
                                     .Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, false)
                                     .Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true)
                                     .Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, true)
                                     .Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault, false)
                                     .Int("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut, 0)
                                     .Int("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex, -1)
                                     .Event("OnClick", &TMenuItem::OnClick)
                                     .Event("OnDrawItem", &TMenuItem::OnDrawItem)
                                     .Event("OnMeasureItem", &TMenuItem::OnMeasureItem)
                                     .Build();
  return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) { command_ = NewCommand(this); }

TMenuItem::~TMenuItem() {
  Commands().erase(command_);
  if (parent_) parent_->Remove(this);
  for (TMenuItem* c : items_) c->parent_ = nullptr;
}

void TMenuItem::BeforeDestruction() {
  if (parent_) parent_->Remove(this);
  for (TMenuItem* c : std::vector<TMenuItem*>(items_)) c->parent_ = nullptr;
  items_.clear();
  TComponent::BeforeDestruction();
}

void TMenuItem::Notification(TComponent* component, TOperation operation) { TComponent::Notification(component, operation); }

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* i = this;
  while (i->parent_) i = i->parent_;
  return i->menu_;
}

void TMenuItem::Changed() {
  if (TMenu* m = GetParentMenu()) m->MenuChanged();
}

void TMenuItem::PropertyChanged() {
  TMenu* menu = GetParentMenu();
  if (!menu || !parent_ || !parent_->handle_ || !visible_) return;
  MENUITEMINFOW mii{};
  std::wstring text;
  FillItemInfo(mii, text, menu->OwnerDraw());
  mii.fMask &= ~UINT(MIIM_SUBMENU | MIIM_ID);  // the sub-menu and the identifier stay as they are
  SetMenuItemInfoW(parent_->handle_, UINT(NativeIndex()), TRUE, &mii);
  menu->ItemChanged(this);
}

void TMenuItem::SetCaption(const std::string& v) {
  if (caption_ == v) return;
  const bool typeChanges = (v == "-") != IsLine();
  caption_ = v;
  // a separator has no text: switching to or from one changes the item's type, built anew
  if (typeChanges) Changed();
  else PropertyChanged();
}
void TMenuItem::SetChecked(bool v) {
  checked_ = v;
  PropertyChanged();
}
void TMenuItem::SetEnabled(bool v) {
  enabled_ = v;
  PropertyChanged();
}
void TMenuItem::SetVisible(bool v) {
  if (visible_ == v) return;
  visible_ = v;
  TMenu* menu = GetParentMenu();
  if (!menu || !parent_ || !parent_->handle_) return;
  UpdateVisibility(menu->OwnerDraw());
  menu->ItemChanged(this);
}
void TMenuItem::SetDefault(bool v) {
  default_ = v;
  PropertyChanged();
}
void TMenuItem::SetShortCut(TShortCut v) {
  shortCut_ = v;
  PropertyChanged();
}
void TMenuItem::SetImageIndex(int v) {
  imageIndex_ = v;
  PropertyChanged();
}

int TMenuItem::NativeIndex() const {
  if (!parent_) return -1;
  int index = 0;
  for (const TMenuItem* sibling : parent_->items_) {
    if (sibling == this) return index;
    if (sibling->visible_) ++index;
  }
  assert(false && "an item is among its parent's items");
  return -1;
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item->parent_) item->parent_->Remove(item);
  items_.insert(items_.begin() + std::clamp(index, 0, Count()), item);
  item->parent_ = this;
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  item->DestroyHandles();  // it leaves the menu with its sub-menus
  Changed();
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* item = dynamic_cast<TMenuItem*>(parent)) item->Add(this);
  else if (auto* menu = dynamic_cast<TMenu*>(parent)) menu->Items()->Add(this);
  else TComponent::SetParentComponent(parent);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (parent_ && parent_->menu_) return parent_->menu_;
  return parent_;
}

void TMenuItem::Click() {
  if (enabled_) OnClick(this);
}

TMenuItem* TMenuItem::FindCommand(UINT command) {
  auto it = Commands().find(command);
  return it == Commands().end() ? nullptr : it->second;
}

bool TMenuItem::DispatchCommand(UINT command) {
  TMenuItem* item = FindCommand(command);
  if (!item) return false;
  item->Click();
  return true;
}

void TMenuItem::FillItemInfo(MENUITEMINFOW& mii, std::wstring& text, bool ownerDraw) const {
  text = Widen(caption_);
  if (const std::string sc = ShortCutToText(shortCut_); !sc.empty()) text += L"\t" + Widen(sc);
  mii = {};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | (IsLine() ? 0 : MIIM_STRING);
  mii.fType = IsLine() ? MFT_SEPARATOR : MFT_STRING;
  if (ownerDraw) mii.fType |= MFT_OWNERDRAW;
  mii.fState = (checked_ ? MFS_CHECKED : 0) | (enabled_ ? 0 : MFS_GRAYED) | (default_ ? MFS_DEFAULT : 0);
  mii.wID = command_;
  mii.dwItemData = ULONG_PTR(this);
  mii.dwTypeData = text.data();
  if (handle_) {
    mii.fMask |= MIIM_SUBMENU;
    mii.hSubMenu = handle_;
  }
}

void TMenuItem::AppendTo(HMENU menu, bool ownerDraw) {
  if (!items_.empty()) {
    handle_ = CreatePopupMenu();
    for (TMenuItem* c : items_) c->AppendTo(handle_, ownerDraw);
  }
  if (!visible_) return;
  MENUITEMINFOW mii{};
  std::wstring text;
  FillItemInfo(mii, text, ownerDraw);
  InsertMenuItemW(menu, UINT(GetMenuItemCount(menu)), TRUE, &mii);
}

void TMenuItem::UpdateVisibility(bool ownerDraw) {
  const UINT position = UINT(NativeIndex());
  if (!visible_) {
    // RemoveMenu, not DeleteMenu: the sub-menu stays, for the item's Handle and for showing it again
    RemoveMenu(parent_->handle_, position, MF_BYPOSITION);
    return;
  }
  MENUITEMINFOW mii{};
  std::wstring text;
  FillItemInfo(mii, text, ownerDraw);
  InsertMenuItemW(parent_->handle_, position, TRUE, &mii);
}

void TMenuItem::DestroyHandles() {
  for (TMenuItem* c : items_) c->DestroyHandles();
  // a visible item's sub-menu goes with the menu that holds it; an invisible one's is in none
  if (!visible_ && handle_) DestroyMenu(handle_);
  handle_ = nullptr;
}

void TMenuItem::RefreshNativeTypes(bool ownerDraw) {
  if (!handle_) return;
  for (TMenuItem* c : items_) {
    if (c->visible_) {
      MENUITEMINFOW mii{};
      std::wstring text;
      c->FillItemInfo(mii, text, ownerDraw);
      mii.fMask = MIIM_FTYPE;
      SetMenuItemInfoW(handle_, UINT(c->NativeIndex()), TRUE, &mii);
    }
    c->RefreshNativeTypes(ownerDraw);
  }
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
  width = 0;
  height = GetSystemMetrics(SM_CYMENU) / 2;
  if (!IsLine()) {
    const SIZE text = canvas.TextExtent(caption_.empty() ? " " : caption_);
    const std::string sc = ShortCutToText(shortCut_);
    const TMenu* menu = GetParentMenu();
    const int imageWidth = menu && menu->Images() ? menu->Images()->Width() : 16;
    width = text.cx + imageWidth + 12 + (sc.empty() ? 0 : canvas.TextWidth(sc) + 16);
    height = std::max<int>(text.cy + 4, GetSystemMetrics(SM_CYMENU));
  }
  OnMeasureItem(this, &canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas& canvas, const RECT& rect, bool selected) {
  if (OnDrawItem) OnDrawItem(this, &canvas, rect, selected);
  else DefaultDraw(canvas, rect, selected);
}

bool TMenuItem::HandleOwnerDraw(TMessage& m) {
  if (m.Msg == WM_MEASUREITEM) {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (mis->CtlType != ODT_MENU) return false;
    auto* item = FindCommand(mis->itemID);
    if (!item || ULONG_PTR(item) != mis->itemData) return false;
    int width = 0, height = 0;
    {
      WindowDC screen;  // released also when the user's measure handler fails
      TCanvas canvas(screen.Get());
      canvas.SetFont(Screen().MenuFont());
      item->MeasureItem(canvas, width, height);
    }
    mis->itemWidth = UINT(std::max(width, 0));
    mis->itemHeight = UINT(std::max(height, 0));
    m.Result = TRUE;
    return true;
  }
  if (m.Msg == WM_DRAWITEM) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    if (dis->CtlType != ODT_MENU) return false;
    auto* item = FindCommand(dis->itemID);
    if (!item || ULONG_PTR(item) != dis->itemData) return false;
    TMenuItemCanvas canvas(dis->hDC);
    item->DrawItem(canvas.Canvas(), dis->rcItem, (dis->itemState & ODS_SELECTED) != 0);
    m.Result = TRUE;
    return true;
  }
  return false;
}

void TMenuItem::DefaultDraw(TCanvas& canvas, const RECT& rect, bool selected) {
  HDC dc = canvas.Handle();
  FillRect(dc, &rect, GetSysColorBrush(selected && !IsLine() ? COLOR_HIGHLIGHT : COLOR_MENU));
  if (IsLine()) {
    RECT line{rect.left + 2, (rect.top + rect.bottom) / 2 - 1, rect.right - 2, (rect.top + rect.bottom) / 2 + 1};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(!enabled_ ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  RECT text = rect;
  text.left += 20;
  text.right -= 8;
  const std::wstring caption = Widen(caption_);
  DrawTextW(dc, caption.c_str(), int(caption.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  if (const std::string sc = ShortCutToText(shortCut_); !sc.empty()) {
    const std::wstring w = Widen(sc);
    DrawTextW(dc, w.c_str(), int(w.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  }
}

// --- menus ----------------------------------------------------------------------------------

const TClassInfo& TMenu::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TMenu>("TMenu", TComponent::StaticClassInfo())
                                     .Bool("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw, false)
                                     .Reference<TImageList>("Images", &TMenu::Images, &TMenu::SetImages)
                                     .Build();
  return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr)) { items_->menu_ = this; }

TMenu::~TMenu() {
  DestroyHandle();
  items_->Free();
}

void TMenu::BeforeDestruction() {
  DestroyHandle();
  TComponent::BeforeDestruction();
}

void TMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_) images_ = nullptr;
}

void TMenu::SetParentComponent(TComponent* parent) { TComponent::SetParentComponent(parent); }

void TMenu::SetOwnerDraw(bool v) {
  if (ownerDraw_ == v) return;
  ownerDraw_ = v;
  if (!handle_) return;
  // in place: the menu's handles stay those others keep
  items_->RefreshNativeTypes(v);
  ItemChanged(nullptr);
}

void TMenu::SetImages(TImageList* v) {
  if (images_) images_->RemoveFreeNotification(this);
  images_ = v;
  if (v) v->FreeNotification(this);
  MenuChanged();
}

HMENU TMenu::Handle() {
  if (!handle_) {
    handle_ = CreateMenuHandle();
    items_->handle_ = handle_;  // the root item's sub-items are the menu's items
    for (int i = 0; i < items_->Count(); ++i) items_->Items(i)->AppendTo(handle_, ownerDraw_);
  }
  return handle_;
}

void TMenu::DestroyHandle() {
  if (!handle_) return;
  DestroyMenu(handle_);
  handle_ = nullptr;
  items_->DestroyHandles();
}

void TMenu::MenuChanged() { DestroyHandle(); }

void TMenu::ItemChanged(TMenuItem*) {}

const TClassInfo& TPopupMenu::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TPopupMenu>("TPopupMenu", TMenu::StaticClassInfo())
                                     .Creatable()
                                     .Bool("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup, true)
                                     .Event("OnPopup", &TPopupMenu::OnPopup)
                                     .Build();
  return info;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

HWND TPopupMenu::PopupListWindow() {
  static TUtilWindow window([](TMessage& m) {
    if (m.Msg == WM_COMMAND) {
      TMenuItem::DispatchCommand(LOWORD(m.WParam));
      return true;
    }
    return TMenuItem::HandleOwnerDraw(m);
  });
  return window.Handle();
}

void TPopupMenu::Popup(int x, int y) {
  OnPopup(this);
  TrackMenu(Handle(), x, y);
}

void TrackMenu(HMENU menu, int x, int y) {
  const UINT command = UINT(TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                             x, y, TPopupMenu::PopupListWindow(), nullptr));
  if (command) SendMessageW(TPopupMenu::PopupListWindow(), WM_COMMAND, command, 0);
}

const TClassInfo& TMainMenu::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TMainMenu>("TMainMenu", TMenu::StaticClassInfo()).Creatable().Build();
  return info;
}

void TMainMenu::MenuChanged() {
  auto* form = dynamic_cast<TCustomForm*>(Owner());
  HWND h = form && form->Menu() == this ? form->HandleIfAllocated() : nullptr;
  if (h) ::SetMenu(h, nullptr);
  TMenu::MenuChanged();
  if (h) SendMessageW(h, CM_MENUCHANGED, 0, 0);
}

void TMainMenu::ItemChanged(TMenuItem* item) {
  // only the bar's own items show on the bar: a deeper item is changed in its drop-down, which
  // reads it when it opens (and may be the one being opened)
  if (item && item->Parent() != Items()) return;
  // the form's window shows the same menu, redrawn (a skinned bar rebuilds its items)
  auto* form = dynamic_cast<TCustomForm*>(Owner());
  if (HWND h = form && form->Menu() == this ? form->HandleIfAllocated() : nullptr) SendMessageW(h, CM_MENUCHANGED, 0, 0);
}

TMenuItem* TMainMenu::FindItem(UINT value, bool byCommand) const {
  std::vector<TMenuItem*> stack{Items()};
  while (!stack.empty()) {
    TMenuItem* i = stack.back();
    stack.pop_back();
    if (byCommand ? i->Command() == value : i->Handle() == HMENU(UINT_PTR(value))) return i;
    for (int k = 0; k < i->Count(); ++k) stack.push_back(i->Items(k));
  }
  return nullptr;
}

}  // namespace bus
