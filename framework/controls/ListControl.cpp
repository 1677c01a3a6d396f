#include "framework/controls/ListControl.h"

#include "core/WideText.h"
#include "framework/Properties.h"

namespace bus {

const TClassInfo& TCustomListControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomListControl>("TCustomListControl", TWinControl::StaticClassInfo())
          .Strings("Items", &TCustomListControl::ItemsValue, &TCustomListControl::SetItemsValue)
          .Int("ItemIndex", &TCustomListControl::ItemIndex, &TCustomListControl::SetItemIndex, -1)
          .Build();
  return info;
}

TCustomListControl::TCustomListControl(TComponent* owner, const TListMessages& messages)
    : TWinControl(owner), messages_(messages) {
  clickOnMouseUp_ = false;  // the control reports its own selections
  SetColor(clWindow);
  SetParentColor(false);
  SetTabStop(true);
  items_.OnChange = [this] { ItemsChanged(); };
}

void TCustomListControl::CreateWnd() {
  TWinControl::CreateWnd();
  FillList();
  if (itemIndex_ >= 0 && itemIndex_ < items_.Count()) SelectInList(itemIndex_);
}

int TCustomListControl::ItemIndex() const {
  if (HWND h = HandleIfAllocated()) return int(SendMessageW(h, messages_.getCurSel, 0, 0));
  return itemIndex_;
}

void TCustomListControl::SetItemIndex(int v) {
  if (v < -1 || (!Loading() && v >= items_.Count())) v = -1;
  itemIndex_ = v;
  SelectInList(v);
}

void TCustomListControl::SelectInList(int index) {
  if (HWND h = HandleIfAllocated()) SendMessageW(h, messages_.setCurSel, WPARAM(index), 0);
}

int TCustomListControl::FillList() {
  HWND h = HandleIfAllocated();
  if (!h) return itemIndex_;
  const int selected = int(SendMessageW(h, messages_.getCurSel, 0, 0));
  SendMessageW(h, messages_.resetContent, 0, 0);
  for (const std::string& item : items_.Lines())
    SendMessageW(h, messages_.addString, 0, LPARAM(Widen(item).c_str()));
  return selected;
}

void TCustomListControl::ItemsChanged() {
  const int selected = FillList();
  if (selected >= 0 && selected < items_.Count()) SelectInList(selected);
}

void TCustomListControl::WndProc(TMessage& m) {
  if (m.Msg == WM_DESTROY) itemIndex_ = ItemIndex();  // a window made again selects it again
  TWinControl::WndProc(m);
}

}  // namespace bus
