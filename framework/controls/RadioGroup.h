// Radio groups: a group box whose radio buttons come from Items, laid out in Columns from top to
// bottom, then left to right. ItemIndex is the checked button (-1: none). The buttons are child
// TRadioButtons owned by the group, in item order. A user's click on a button changes ItemIndex
// and fires the group's OnClick; setting ItemIndex or Items from code fires nothing.
//
// This is the radio group kind of the skin's control selection: TCustomRadioGroup and every class
// derived from it.
#pragma once

#include "framework/NotifyStringList.h"
#include "framework/controls/GroupBox.h"

namespace bus {

class TRadioButton;
class TGroupButton;

class TCustomRadioGroup : public TCustomGroupBox {
  BUS_CLASS(TCustomRadioGroup)
public:
  explicit TCustomRadioGroup(TComponent* owner);

  TNotifyStringList& Items() noexcept { return items_; }
  // -1 or the checked item; other values check none.
  int ItemIndex() const noexcept { return itemIndex_; }
  void SetItemIndex(int v);
  // At least 1.
  int Columns() const noexcept { return columns_; }
  void SetColumns(int v);
  // The button of item index.
  TRadioButton* Buttons(int index) const;

  void WndProc(TMessage& message) override;

protected:
  void Loaded() override;

private:
  friend class TGroupButton;
  TStringList ItemsValue() const { return items_.Lines(); }
  void SetItemsValue(const TStringList& lines) { items_.Assign(lines); }
  // Makes the buttons match the items (count, captions, check marks) and places them.
  void UpdateButtons();
  void ArrangeButtons();
  void ButtonClicked(TRadioButton* button);

  TNotifyStringList items_;             // one button each
  int itemIndex_ = -1;                  // checked button; -1: none
  int columns_ = 1;                     // button columns
  std::vector<TRadioButton*> buttons_;  // children, one per item, owned by the group
};

class TRadioGroup : public TCustomRadioGroup {
  BUS_CLASS(TRadioGroup)
public:
  using TCustomRadioGroup::TCustomRadioGroup;
};

}  // namespace bus
