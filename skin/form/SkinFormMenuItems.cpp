// The menus of TSkinForm: the form's popup and main menus made owner-drawn, their items drawn and
// measured by the skin (and given back), and the owner-drawn items of the window's native menus
// (the menu bar's drop-downs) measured and drawn for the window.
//
// The draw and measure events given to menu items find this object through the skin manager by
// the window's handle, so that an item that outlives the object draws in the layer's own look.
// Handlers the program gave a popup menu's items are kept aside while the skin's stand in for them,
// and put back when the skin goes; the skin clears only handlers of its own.
#include "skin/form/SkinForm.h"

#include <algorithm>

#include "core/ScopeExit.h"
#include "framework/controls/Form.h"
#include "framework/controls/MenuItemCanvas.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/data/SkinData.h"
#include "skin/form/MenuItemPainter.h"
#include "skin/form/SkinManager.h"
#include "skin/form/SkinPopupMenu.h"

namespace bus {

namespace {

constexpr UINT kFirstNativeCommand = 0x1000;  // identifiers below are the program's own menu items
constexpr int kDisableTagModulo = 100;

// The form object of window, or null once it is gone.
TSkinForm* SkinFormOf(HWND window) { return SkinManager ? SkinManager->FindSkinForm(window) : nullptr; }

// The skin's draw event of the items of window's menus (a type of its own, so that the skin can tell
// its handlers from the program's).
struct TSkinDrawHandler {
  HWND window;  // whose form object draws
  void operator()(TObject* sender, TCanvas* canvas, const RECT& r, bool selected) const {
    auto* item = static_cast<TMenuItem*>(sender);
    if (TSkinForm* form = SkinFormOf(window)) form->MenuPainter().DrawMenuItem(*item, *canvas, r, selected);
    else item->DefaultDraw(*canvas, r, selected);
  }
};

// The skin's measure event: a popup menu's items add to what the layer measured, a menu bar
// drop-down's are measured anew.
struct TSkinMeasureHandler {
  HWND window;  // whose form object measures
  bool popup;   // an item of a popup menu
  void operator()(TObject* sender, TCanvas* canvas, int& width, int& height) const {
    TSkinForm* form = SkinFormOf(window);
    if (!form) return;
    auto* item = static_cast<TMenuItem*>(sender);
    if (popup) form->MenuPainter().MeasurePopupItem(*item, width, height);
    else form->MenuPainter().MeasureMenuItem(*item, *canvas, width, height);
  }
};

TMenuDrawItemEvent SkinDrawEvent(HWND window) {
  return TMenuDrawItemEvent(TMenuDrawItemEvent::Function(TSkinDrawHandler{window}));
}
TMenuMeasureItemEvent SkinMeasureEvent(HWND window, bool popup) {
  return TMenuMeasureItemEvent(TMenuMeasureItemEvent::Function(TSkinMeasureHandler{window, popup}));
}

bool SkinDraws(const TMenuItem& item) { return item.OnDrawItem.Holds<TSkinDrawHandler>(); }
bool SkinMeasures(const TMenuItem& item) { return item.OnMeasureItem.Holds<TSkinMeasureHandler>(); }

// Runs visit(item, depth) for every item below root, depth 1 for root's own items.
template <class Visit>
void WalkItems(TMenuItem& root, int depth, const Visit& visit) {
  for (int i = 0; i < root.Count(); ++i) {
    TMenuItem* item = root.Items(i);
    visit(*item, depth);
    WalkItems(*item, depth + 1, visit);
  }
}

}  // namespace

TMenuItemPainter TSkinForm::MenuPainter() const {
  return TMenuItemPainter(*skinData_, ownerForm_ ? ownerForm_->Menu() : nullptr);
}

void TSkinForm::SetMenuOwnerDraw(TMenu* menu) {
  if (menu->OwnerDraw()) return;
  menu->SetOwnerDraw(true);
  ownerDrawnMenus_.push_back(menu);
  menu->FreeNotification(this);
}

void TSkinForm::GiveMenusBack() {
  if (ownerForm_) {
    SkinPopupMenus(ownerForm_, false);
    if (skinData_->SkinControls().Contains(TSkinControlType::xcMenuItem)) SkinMainMenus(ownerForm_, false);
  }
  for (TMenu* menu : std::exchange(ownerDrawnMenus_, {})) {
    menu->RemoveFreeNotification(this);
    menu->SetOwnerDraw(false);
  }
}

void TSkinForm::SkinMenuItems(TMenuItem* item, bool on) {
  if (!item) return;
  const auto skin = [this, on](TMenuItem& i) {
    if (on) {
      i.OnDrawItem = SkinDrawEvent(handle_);
      i.OnMeasureItem = SkinMeasureEvent(handle_, false);
    } else if (SkinDraws(i)) {
      i.OnDrawItem.Clear();
    }
  };
  skin(*item);
  WalkItems(*item, 1, [&skin](TMenuItem& i, int) { skin(i); });
}

void TSkinForm::SkinPopupMenus(TCustomForm* form, bool on) {
  if (!form || form->ClassName() == "TwwRichEditForm") return;
  if (!skinData_->SkinControls().Contains(TSkinControlType::xcPopupMenu)) return;
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* menu = dynamic_cast<TPopupMenu*>(form->Components(i));
    if (!menu || menu->Tag() % kDisableTagModulo == skinData_->DisableTag()) continue;
    if (on) SetMenuOwnerDraw(menu);
    SkinPopupItems(*menu, on);
  }
}

void TSkinForm::SkinPopupItems(TMenu& menu, bool on) {
  WalkItems(*menu.Items(), 1, [this, on](TMenuItem& item, int) {
    if (on) {
      // the program's own handlers come back when the skin goes
      if ((item.OnDrawItem && !SkinDraws(item)) || (item.OnMeasureItem && !SkinMeasures(item))) {
        if (savedMenuEvents_.emplace(&item, TSavedMenuEvents{item.OnDrawItem, item.OnMeasureItem}).second)
          item.FreeNotification(this);
      }
      item.OnDrawItem = SkinDrawEvent(handle_);
      item.OnMeasureItem = SkinMeasureEvent(handle_, true);
      return;
    }
    if (SkinDraws(item)) item.OnDrawItem.Clear();
    if (SkinMeasures(item)) item.OnMeasureItem.Clear();
    if (const auto saved = savedMenuEvents_.find(&item); saved != savedMenuEvents_.end()) {
      item.OnDrawItem = saved->second.draw;
      item.OnMeasureItem = saved->second.measure;
      item.RemoveFreeNotification(this);
      savedMenuEvents_.erase(saved);
    }
  });
}

void TSkinForm::SkinMainMenus(TCustomForm* form, bool on) {
  if (!form) return;
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* menu = dynamic_cast<TMainMenu*>(form->Components(i));
    if (!menu) continue;
    if (on) SetMenuOwnerDraw(menu);
    WalkItems(*menu->Items(), 1, [this, on](TMenuItem& item, int depth) {
      if (!on) {
        // only the skin's: an item that draws itself kept its handlers
        if (SkinDraws(item)) item.OnDrawItem.Clear();
        if (SkinMeasures(item)) item.OnMeasureItem.Clear();
      } else if (depth >= 2 && !item.OnDrawItem) {
        item.OnDrawItem = SkinDrawEvent(handle_);
        item.OnMeasureItem = SkinMeasureEvent(handle_, false);
      }
    });
  }
}

// --- Owner-drawn items of the window's native menus ------------------------------------------------

void TSkinForm::WmMeasureItem(TMessage& m) {
  auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
  if (mis->CtlType != ODT_MENU || !nativeMenu_) return Default(m);
  const TMenuItemPainter painter = MenuPainter();
  TMainMenu* bar = ownerForm_ ? ownerForm_->Menu() : nullptr;
  if (ownerForm_) {
    if (TMenuItem* item = bar ? bar->FindItem(mis->itemID, true) : nullptr) {
      int width = int(mis->itemWidth), height = int(mis->itemHeight);
      {
        const WindowDC dc(handle_);
        TCanvas canvas(dc.Get());
        const ScopeExit unbind([&canvas] { canvas.SetHandle(nullptr); });  // the DC is released by its owner
        canvas.SetFont(Screen().MenuFont());
        painter.MeasureMenuItem(*item, canvas, width, height);
      }
      mis->itemWidth = UINT(std::max(width, 0));
      mis->itemHeight = UINT(std::max(height, 0));
      m.Result = TRUE;
      return;
    }
    if (mis->itemID < kFirstNativeCommand && mis->itemID != 0) return Default(m);
  }
  int width = 0, height = int(mis->itemHeight);
  painter.MeasureNativeItem(TMenuItemPainter::NativeItemText(trackedSubMenu_, mis->itemID), width, height);
  mis->itemWidth = UINT(std::max(width, 0));
  mis->itemHeight = UINT(std::max(height, 0));
  m.Result = TRUE;
}

void TSkinForm::WmDrawItem(TMessage& m) {
  auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
  const DWORD version = SkinManager ? SkinManager->PlatformVersion() : 0;
  const bool nt4 = (version & 0x80000000u) == 0 && LOBYTE(LOWORD(version)) == 4;
  if (dis->CtlType != ODT_MENU || !nativeMenu_ || (kind_ == kKindMDIFrame && nt4)) return Default(m);
  const auto menu = reinterpret_cast<HMENU>(dis->hwndItem);
  if (TSkinPopupMenu* pending = TSkinPopupMenu::PendingPopup()) {
    pending->SetOwnerMenu(menu);
    TSkinPopupMenu::SetPendingPopup(nullptr);
  }
  const TMenuItemPainter painter = MenuPainter();
  const bool selected = (dis->itemState & ODS_SELECTED) != 0;
  TMainMenu* bar = ownerForm_ ? ownerForm_->Menu() : nullptr;
  TMenuItem* item = ownerForm_ && bar ? bar->FindItem(dis->itemID, true) : nullptr;
  if (!item && ownerForm_ && dis->itemID < kFirstNativeCommand && dis->itemID != 0) return Default(m);
  std::unique_ptr<TMenuItem> temporary;
  if (!item) {
    temporary = TMenuItemPainter::BuildTempItem(menu, dis->itemID);
    if (!temporary) return Default(m);
  }
  TMenuItemCanvas itemCanvas(dis->hDC);
  TCanvas& canvas = itemCanvas.Canvas();
  if (temporary) painter.DrawNativeItem(menu, dis->itemID, *temporary, selected, dis->rcItem, canvas);
  else if (skinData_->MenuItem()) painter.DrawMenuItem(*item, canvas, dis->rcItem, selected);
  else painter.DrawPlainItem(*item, canvas, selected, dis->rcItem);
  m.Result = TRUE;
}

}  // namespace bus
