#include "framework/controls/ListView.h"

#include <commctrl.h>

#include "core/ScopedValue.h"
#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/ImageList.h"

namespace bus {

namespace {
const TIdentList kViewStyles{"vsIcon", "vsSmallIcon", "vsList", "vsReport"};

int ColumnFormat(TAlignment a) {
  return a == TAlignment::taCenter ? LVCFMT_CENTER : a == TAlignment::taRightJustify ? LVCFMT_RIGHT : LVCFMT_LEFT;
}

template <class T>
TCustomListView* ViewOf(const T& item) {
  return static_cast<TListViewCollection<T>*>(item.Collection())->ListView();
}
}  // namespace

// --- columns and items ----------------------------------------------------------------------

const TClassInfo& TListColumn::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TListColumn>("TListColumn", TCollectionItem::StaticClassInfo())
          .Text("Caption", &TListColumn::Caption, &TListColumn::SetCaption)
          .Int("Width", &TListColumn::Width, &TListColumn::SetWidth, 50)
          .Enum("Alignment", &TListColumn::Alignment, &TListColumn::SetAlignment, kAlignmentNames,
                TAlignment::taLeftJustify)
          .Build();
  return info;
}

void TListColumn::SetCaption(const std::string& v) {
  caption_ = v;
  Changed();
}

int TListColumn::Width() const {
  HWND h = ViewOf(*this)->HandleIfAllocated();
  return h && Index() < Header_GetItemCount(ListView_GetHeader(h)) ? ListView_GetColumnWidth(h, Index()) : width_;
}

void TListColumn::SetWidth(int v) {
  width_ = v < 0 ? 0 : v;
  Changed();
}

void TListColumn::SetAlignment(TAlignment v) {
  alignment_ = v;
  Changed();
}

const TClassInfo& TListItem::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TListItem>("TListItem", TCollectionItem::StaticClassInfo())
                                     .Text("Caption", &TListItem::Caption, &TListItem::SetCaption)
                                     .Strings("SubItems", &TListItem::SubItems, &TListItem::SetSubItems)
                                     .Int("ImageIndex", &TListItem::ImageIndex, &TListItem::SetImageIndex, -1)
                                     .Build();
  return info;
}

void TListItem::SetCaption(const std::string& v) {
  caption_ = v;
  Changed();
}

void TListItem::SetSubItems(const TStringList& v) {
  subItems_.Assign(v);
  Changed();
}

void TListItem::SetImageIndex(int v) {
  imageIndex_ = v;
  Changed();
}

// --- the view -------------------------------------------------------------------------------

const TClassInfo& TCustomListView::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomListView>("TCustomListView", TWinControl::StaticClassInfo())
          .Enum("ViewStyle", &TCustomListView::ViewStyle, &TCustomListView::SetViewStyle, kViewStyles,
                TViewStyle::vsIcon)
          .Collection("Columns", &TCustomListView::Columns)
          .Collection("Items", &TCustomListView::Items)
          .Int("ItemIndex", &TCustomListView::ItemIndex, &TCustomListView::SetItemIndex, -1)
          .Bool("RowSelect", &TCustomListView::RowSelect, &TCustomListView::SetRowSelect, false)
          .Bool("GridLines", &TCustomListView::GridLines, &TCustomListView::SetGridLines, false)
          .Bool("ShowColumnHeaders", &TCustomListView::ShowColumnHeaders, &TCustomListView::SetShowColumnHeaders,
                true)
          .Bool("HideSelection", &TCustomListView::HideSelection, &TCustomListView::SetHideSelection, true)
          .Reference<TImageList>("SmallImages", &TCustomListView::SmallImages, &TCustomListView::SetSmallImages)
          .Reference<TImageList>("LargeImages", &TCustomListView::LargeImages, &TCustomListView::SetLargeImages)
          .Event("OnSelectItem", &TCustomListView::OnSelectItem)
          .Event("OnColumnClick", &TCustomListView::OnColumnClick)
          .Build();
  return info;
}
const TClassInfo& TListView::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TListView>("TListView", TCustomListView::StaticClassInfo()).Creatable().Build();
  return info;
}

TCustomListView::TCustomListView(TComponent* owner)
    : TWinControl(owner),
      columns_(std::make_unique<TListColumns>(this)),
      items_(std::make_unique<TListItems>(this)) {
  clickOnMouseUp_ = false;  // the control reports its own selections
  SetBounds(0, 0, 250, 150);
  SetColor(clWindow);
  SetParentColor(false);
  SetTabStop(true);
  columns_->OnUpdate = [this](TCollectionItem* item) {
    if (item) UpdateColumn(item->Index());
    else UpdateColumns();
  };
  items_->OnUpdate = [this](TCollectionItem* item) {
    if (item) UpdateItem(item->Index());
    else UpdateItems();
  };
}

TCustomListView::~TCustomListView() = default;

DWORD TCustomListView::ViewStyleBits() const {
  switch (viewStyle_) {
    case TViewStyle::vsSmallIcon:
      return LVS_SMALLICON;
    case TViewStyle::vsList:
      return LVS_LIST;
    case TViewStyle::vsReport:
      return LVS_REPORT;
    default:
      return LVS_ICON;
  }
}

void TCustomListView::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.sysClassName = WC_LISTVIEWW;
  p.style |= ViewStyleBits() | LVS_SINGLESEL | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE;
  if (!showColumnHeaders_) p.style |= LVS_NOCOLUMNHEADER;
  if (!hideSelection_) p.style |= LVS_SHOWSELALWAYS;
  if (Ctl3D()) p.exStyle |= WS_EX_CLIENTEDGE;
  else p.style |= WS_BORDER;
}

void TCustomListView::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyExtendedStyle();
  ApplyImages();
  UpdateColumns();
  UpdateItems();
  SetItemIndex(itemIndex_);
}

void TCustomListView::ChangeStyle(DWORD bits, bool on) {
  HWND h = HandleIfAllocated();
  if (!h) return;
  const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
  SetWindowLongPtrW(h, GWL_STYLE, on ? (style | LONG_PTR(bits)) : (style & ~LONG_PTR(bits)));
}

void TCustomListView::SetViewStyle(TViewStyle v) {
  viewStyle_ = v;
  ChangeStyle(LVS_TYPEMASK, false);
  ChangeStyle(ViewStyleBits(), true);
}

void TCustomListView::SetShowColumnHeaders(bool v) {
  showColumnHeaders_ = v;
  ChangeStyle(LVS_NOCOLUMNHEADER, !v);
}

void TCustomListView::SetHideSelection(bool v) {
  hideSelection_ = v;
  ChangeStyle(LVS_SHOWSELALWAYS, !v);
}

void TCustomListView::SetRowSelect(bool v) {
  rowSelect_ = v;
  ApplyExtendedStyle();
}

void TCustomListView::SetGridLines(bool v) {
  gridLines_ = v;
  ApplyExtendedStyle();
}

void TCustomListView::ApplyExtendedStyle() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  const DWORD mask = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
  const DWORD bits = (rowSelect_ ? LVS_EX_FULLROWSELECT : 0) | (gridLines_ ? LVS_EX_GRIDLINES : 0);
  ListView_SetExtendedListViewStyleEx(h, mask, bits);
}

void TCustomListView::SetSmallImages(TImageList* v) {
  if (smallImages_) smallImages_->RemoveFreeNotification(this);
  smallImages_ = v;
  if (v) v->FreeNotification(this);
  ApplyImages();
}

void TCustomListView::SetLargeImages(TImageList* v) {
  if (largeImages_) largeImages_->RemoveFreeNotification(this);
  largeImages_ = v;
  if (v) v->FreeNotification(this);
  ApplyImages();
}

void TCustomListView::ApplyImages() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  ListView_SetImageList(h, smallImages_ ? smallImages_->Handle() : nullptr, LVSIL_SMALL);
  ListView_SetImageList(h, largeImages_ ? largeImages_->Handle() : nullptr, LVSIL_NORMAL);
}

void TCustomListView::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == smallImages_) smallImages_ = nullptr;
  if (component == largeImages_) largeImages_ = nullptr;
  if (component == smallImages_ || component == largeImages_) ApplyImages();
}

HWND TCustomListView::HeaderHandle() const {
  HWND h = HandleIfAllocated();
  return h ? ListView_GetHeader(h) : nullptr;
}

RECT TCustomListView::ItemRect(int index) const {
  RECT r{};
  if (HWND h = HandleIfAllocated(); !h || !ListView_GetItemRect(h, index, &r, LVIR_BOUNDS)) r = {};
  return r;
}

int TCustomListView::ItemIndex() const {
  if (HWND h = HandleIfAllocated()) return ListView_GetNextItem(h, -1, LVNI_SELECTED);
  return itemIndex_;
}

void TCustomListView::SetItemIndex(int v) {
  if (v < -1 || (!Loading() && v >= items_->Count())) v = -1;
  itemIndex_ = v;
  HWND h = HandleIfAllocated();
  if (!h) return;
  ScopedValue quiet(updating_, true);
  ListView_SetItemState(h, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (v >= 0) {
    ListView_SetItemState(h, v, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(h, v, FALSE);
  }
}

TListItem* TCustomListView::Selected() const {
  const int index = ItemIndex();
  return index >= 0 && index < items_->Count() ? items_->Items(index) : nullptr;
}

void TCustomListView::UpdateColumns() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  ScopedValue quiet(updating_, true);
  HWND header = ListView_GetHeader(h);
  while (header && Header_GetItemCount(header) > 0) ListView_DeleteColumn(h, 0);
  for (int i = 0; i < columns_->Count(); ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    SendMessageW(h, LVM_INSERTCOLUMNW, WPARAM(i), LPARAM(&column));
    UpdateColumn(i);
  }
}

void TCustomListView::UpdateColumn(int index) {
  HWND h = HandleIfAllocated();
  if (!h || index < 0 || index >= columns_->Count()) return;
  ScopedValue quiet(updating_, true);
  const TListColumn* c = columns_->Items(index);
  std::wstring text = Widen(c->Caption());
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_FMT;
  column.pszText = text.data();
  column.fmt = ColumnFormat(c->Alignment());
  SendMessageW(h, LVM_SETCOLUMNW, WPARAM(index), LPARAM(&column));
  ListView_SetColumnWidth(h, index, c->width_);
}

// Every item again, the selection kept while it is still an item.
void TCustomListView::UpdateItems() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  ScopedValue quiet(updating_, true);
  const int selected = ItemIndex();
  ListView_DeleteAllItems(h);
  for (int i = 0; i < items_->Count(); ++i) {
    LVITEMW item{};
    item.iItem = i;
    SendMessageW(h, LVM_INSERTITEMW, 0, LPARAM(&item));
    UpdateItem(i);
  }
  if (selected >= 0 && selected < items_->Count()) SetItemIndex(selected);
}

void TCustomListView::UpdateItem(int index) {
  HWND h = HandleIfAllocated();
  if (!h || index < 0 || index >= items_->Count() || index >= ListView_GetItemCount(h)) return;
  ScopedValue quiet(updating_, true);
  const TListItem* it = items_->Items(index);
  std::wstring text = Widen(it->Caption());
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = index;
  item.pszText = text.data();
  item.iImage = it->ImageIndex();
  SendMessageW(h, LVM_SETITEMW, 0, LPARAM(&item));
  for (int s = 0; s < it->SubItems().Count(); ++s) {
    std::wstring sub = Widen(it->SubItems()[s]);
    LVITEMW subItem{};
    subItem.iSubItem = s + 1;
    subItem.pszText = sub.data();
    SendMessageW(h, LVM_SETITEMTEXTW, WPARAM(index), LPARAM(&subItem));
  }
}

// LVN_ITEMCHANGED comes for every state change, also those made by code (kept quiet above).
void TCustomListView::CnNotify(TMessage& m) {
  const auto* nm = reinterpret_cast<const NMLISTVIEW*>(m.LParam);
  if (updating_) return;
  switch (nm->hdr.code) {
    case LVN_ITEMCHANGED:
      if ((nm->uChanged & LVIF_STATE) && ((nm->uNewState ^ nm->uOldState) & LVIS_SELECTED) && nm->iItem >= 0 &&
          nm->iItem < items_->Count())
        OnSelectItem(this, items_->Items(nm->iItem), (nm->uNewState & LVIS_SELECTED) != 0);
      break;
    case LVN_COLUMNCLICK:
      if (nm->iSubItem >= 0 && nm->iSubItem < columns_->Count()) OnColumnClick(this, columns_->Items(nm->iSubItem));
      break;
    default:
      break;
  }
}

void TCustomListView::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_NOTIFY:
      return CnNotify(m);
    case WM_DESTROY:
      itemIndex_ = ItemIndex();  // a window made again selects it again
      for (int i = 0; i < columns_->Count(); ++i) columns_->Items(i)->width_ = columns_->Items(i)->Width();
      return TWinControl::WndProc(m);
    default:
      return TWinControl::WndProc(m);
  }
}

}  // namespace bus
