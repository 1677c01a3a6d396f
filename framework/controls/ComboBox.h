// Combo boxes: a superclassed native COMBOBOX. Style picks an edit with a drop-down list
// (csDropDown), an edit over an always open list (csSimple) or a drop-down list alone
// (csDropDownList). Items are the list's lines; ItemIndex the selected one (-1: none); Text the
// edit's text (for a drop-down list: the selected item's). Text set from code selects the item of
// exactly that text, if there is one. The dropped list shows at most DropDownCount items at once.
//
// OnChange fires when the user selects an item or edits the text, after Text and ItemIndex show
// the new value; setting Items, ItemIndex or Text from code fires nothing.
//
// This is the combo box kind of the skin's control selection: TCustomComboBox and every class
// derived from it.
#pragma once

#include "framework/controls/ListControl.h"

namespace bus {

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TCustomComboBox : public TCustomListControl {
  BUS_CLASS(TCustomComboBox)
public:
  explicit TCustomComboBox(TComponent* owner);

  TComboBoxStyle Style() const noexcept { return style_; }
  // Set before the window is made (a later change makes the window again).
  void SetStyle(TComboBoxStyle v);
  void SetItemIndex(int v) override;
  // At least 1.
  int DropDownCount() const noexcept { return dropDownCount_; }
  void SetDropDownCount(int v) noexcept { dropDownCount_ = v < 1 ? 1 : v; }
  // Selects the item of exactly that text (or none); an edit shows the text in any case.
  void SetComboText(const std::string& text);
  bool DroppedDown() const;
  void SetDroppedDown(bool v);

  TNotifyEvent OnChange;  // published

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // An edit keeps its text, and the selection only while that is the selected item's text.
  void ItemsChanged() override;

private:
  std::string ComboText() const { return Text(); }
  // The first item of exactly that text, or -1.
  int ExactItem(const std::string& text) const;
  // Gives the list room for DropDownCount items before it drops.
  void SizeDroppedList();
  void CnCommand(TMessage& m);

  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;  // edit and list arrangement
  int dropDownCount_ = 8;            // rows of the dropped list
  bool settingValue_ = false;        // code is changing the window: its notifications fire nothing
};

class TComboBox : public TCustomComboBox {
  BUS_CLASS(TComboBox)
public:
  using TCustomComboBox::TCustomComboBox;
};

}  // namespace bus
