// The base of list boxes and combo boxes: Items shown as the lines of a native list, one of them
// selected (ItemIndex, -1: none). The list is filled again from Items after every change of Items,
// keeping the selection while it is still an item.
#pragma once

#include "framework/NotifyStringList.h"
#include "framework/controls/WinControl.h"

namespace bus {

class TCustomListControl : public TWinControl {
  BUS_CLASS(TCustomListControl)
public:
  TNotifyStringList& Items() noexcept { return items_; }
  const TNotifyStringList& Items() const noexcept { return items_; }
  int ItemIndex() const;
  // -1 or an item; other values select nothing. (While a description is read, the index may
  // come before the items: it is kept and applied when the window is made.)
  virtual void SetItemIndex(int v);

  void WndProc(TMessage& message) override;

protected:
  // The native list's messages: get and set the selection, empty the list, add a line.
  struct TListMessages {
    UINT getCurSel, setCurSel, resetContent, addString;
  };
  TCustomListControl(TComponent* owner, const TListMessages& messages);

  void CreateWnd() override;
  // Items changed: fills the list again (see FillList); derived classes keep more.
  virtual void ItemsChanged();
  // Fills the native list from Items and returns the selection it had (-1: none).
  int FillList();
  // Selects index in the native list.
  void SelectInList(int index);

  int itemIndex_ = -1;  // selection while there is no window

private:
  TStringList ItemsValue() const { return items_.Lines(); }
  void SetItemsValue(const TStringList& lines) { items_.Assign(lines); }

  TListMessages messages_;   // of the native list
  TNotifyStringList items_;  // the lines
};

}  // namespace bus
