#include "framework/controls/ComboBox.h"

#include <algorithm>

#include "core/ScopedValue.h"
#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/PropertyIdents.h"

namespace bus {

namespace {
const TIdentList kComboStyles{"csDropDown", "csSimple", "csDropDownList"};
}  // namespace

const TClassInfo& TCustomComboBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomComboBox>("TCustomComboBox", TCustomListControl::StaticClassInfo())
          .Enum("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle, kComboStyles, TComboBoxStyle::csDropDown)
          .Text("Text", &TCustomComboBox::ComboText, &TCustomComboBox::SetComboText)
          .Int("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount, 8)
          .Event("OnChange", &TCustomComboBox::OnChange)
          .Build();
  return info;
}
const TClassInfo& TComboBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TComboBox>("TComboBox", TCustomComboBox::StaticClassInfo()).Creatable().Build();
  return info;
}

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TCustomListControl(owner, {CB_GETCURSEL, CB_SETCURSEL, CB_RESETCONTENT, CB_ADDSTRING}) {
  SetBounds(0, 0, 145, 21);
}

void TCustomComboBox::CreateParams(TCreateParams& p) {
  TCustomListControl::CreateParams(p);
  p.sysClassName = L"COMBOBOX";
  p.style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (style_) {
    case TComboBoxStyle::csDropDown:
      p.style |= CBS_DROPDOWN;
      break;
    case TComboBoxStyle::csSimple:
      p.style |= CBS_SIMPLE;
      break;
    case TComboBoxStyle::csDropDownList:
      p.style |= CBS_DROPDOWNLIST;
      break;
  }
}

// The text chooses the item when no index was given.
void TCustomComboBox::CreateWnd() {
  if (itemIndex_ < 0 && style_ != TComboBoxStyle::csDropDownList) itemIndex_ = ExactItem(text_);
  ScopedValue quiet(settingValue_, true);
  TCustomListControl::CreateWnd();
  if (ItemIndex() < 0 && style_ != TComboBoxStyle::csDropDownList)
    SetWindowTextW(HandleIfAllocated(), Widen(text_).c_str());
}

int TCustomComboBox::ExactItem(const std::string& text) const {
  for (int i = 0; i < Items().Count(); ++i)
    if (Items()[i] == text) return i;
  return -1;
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
  if (v == style_) return;
  style_ = v;
  RecreateWnd();  // selection and text are kept when the window goes
}

void TCustomComboBox::SetItemIndex(int v) {
  ScopedValue quiet(settingValue_, true);
  TCustomListControl::SetItemIndex(v);
  if (!HandleAllocated() && itemIndex_ >= 0 && itemIndex_ < Items().Count()) text_ = Items()[itemIndex_];
}

// The item of exactly that text becomes the selection, or none; an edit shows the text either way.
void TCustomComboBox::SetComboText(const std::string& text) {
  const int index = ExactItem(text);
  if (style_ == TComboBoxStyle::csDropDownList) {
    if (index >= 0 || !Loading()) SetItemIndex(index);
    return;
  }
  if (!Loading()) SetItemIndex(index);
  ScopedValue quiet(settingValue_, true);
  SetText(text);
}

bool TCustomComboBox::DroppedDown() const {
  HWND h = HandleIfAllocated();
  return h && SendMessageW(h, CB_GETDROPPEDSTATE, 0, 0);
}

void TCustomComboBox::SetDroppedDown(bool v) { SendMessageW(Handle(), CB_SHOWDROPDOWN, v, 0); }

void TCustomComboBox::ItemsChanged() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  ScopedValue quiet(settingValue_, true);
  const std::string typed = Text();
  const int selected = FillList();
  const bool keep = selected >= 0 && selected < Items().Count();
  if (style_ == TComboBoxStyle::csDropDownList) {
    if (keep) SelectInList(selected);
  } else if (keep && Items()[selected] == typed) {
    SelectInList(selected);
  } else {
    SetWindowTextW(h, Widen(typed).c_str());
  }
}

// The platform takes the list's height from a window height beyond the edit's: the combo box is
// asked for that much room and keeps its own height.
void TCustomComboBox::SizeDroppedList() {
  HWND h = HandleIfAllocated();
  if (!h || style_ == TComboBoxStyle::csSimple) return;
  const int rows = std::clamp(Items().Count(), 1, dropDownCount_);
  const int itemHeight = int(SendMessageW(h, CB_GETITEMHEIGHT, 0, 0));
  RECT r{};
  GetWindowRect(h, &r);
  SetWindowPos(h, nullptr, 0, 0, r.right - r.left, (r.bottom - r.top) + rows * itemHeight + 2,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TCustomComboBox::CnCommand(TMessage& m) {
  switch (HIWORD(m.WParam)) {
    case CBN_DROPDOWN:
      SizeDroppedList();
      break;
    case CBN_SELCHANGE: {
      if (settingValue_) break;
      // the edit still shows the old text: it takes the new item's now, so OnChange sees both
      const int index = int(SendMessageW(HandleIfAllocated(), CB_GETCURSEL, 0, 0));
      if (index >= 0 && index < Items().Count() && style_ != TComboBoxStyle::csDropDownList) {
        ScopedValue quiet(settingValue_, true);
        SetWindowTextW(HandleIfAllocated(), Widen(Items()[index]).c_str());
      }
      OnChange(this);
      break;
    }
    case CBN_EDITCHANGE:
      if (!settingValue_) OnChange(this);
      break;
    default:
      break;
  }
}

void TCustomComboBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      return CnCommand(m);
    case WM_CTLCOLOREDIT:  // the edit and the list inside ask the combo box itself
    case WM_CTLCOLORLISTBOX:
      return CnCtlColor(m);
    default:
      return TCustomListControl::WndProc(m);
  }
}

}  // namespace bus
