#include "framework/controls/RadioGroup.h"

#include <algorithm>

#include "framework/Properties.h"
#include "framework/controls/RadioButton.h"
#include "framework/graphics/GdiHandles.h"

namespace bus {

// A button of a radio group: a user's click goes to the group first.
class TGroupButton final : public TRadioButton {
public:
  explicit TGroupButton(TCustomRadioGroup* group) : TRadioButton(group), group_(group) {}
  void Click() override {
    group_->ButtonClicked(this);
    TRadioButton::Click();
  }

private:
  TCustomRadioGroup* group_;  // parent and owner
};

const TClassInfo& TCustomRadioGroup::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomRadioGroup>("TCustomRadioGroup", TCustomGroupBox::StaticClassInfo())
          .Strings("Items", &TCustomRadioGroup::ItemsValue, &TCustomRadioGroup::SetItemsValue)
          .Int("ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex, -1)
          .Int("Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns, 1)
          .Build();
  return info;
}
const TClassInfo& TRadioGroup::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TRadioGroup>("TRadioGroup", TCustomRadioGroup::StaticClassInfo()).Creatable().Build();
  return info;
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner) : TCustomGroupBox(owner) {
  items_.OnChange = [this] { UpdateButtons(); };
}

TRadioButton* TCustomRadioGroup::Buttons(int index) const { return buttons_.at(size_t(index)); }

// -1 for values outside the items. While a description is read the index may come before the
// items: it is kept as it is and checked once everything is read.
void TCustomRadioGroup::SetItemIndex(int v) {
  if (v < -1 || (!Loading() && v >= int(buttons_.size()))) v = -1;
  itemIndex_ = v;
  if (Loading()) return;
  if (v >= 0) buttons_[size_t(v)]->SetChecked(true);
  else
    for (TRadioButton* b : buttons_) b->SetChecked(false);
}

void TCustomRadioGroup::SetColumns(int v) {
  columns_ = std::max(v, 1);
  ArrangeButtons();
}

void TCustomRadioGroup::Loaded() {
  TCustomGroupBox::Loaded();
  UpdateButtons();
}

void TCustomRadioGroup::UpdateButtons() {
  while (int(buttons_.size()) > items_.Count()) {
    TRadioButton* b = buttons_.back();
    buttons_.pop_back();
    b->Free();
  }
  while (int(buttons_.size()) < items_.Count()) {
    auto* b = new TGroupButton(this);
    b->SetParent(this);
    buttons_.push_back(b);
  }
  for (int i = 0; i < items_.Count(); ++i) buttons_[size_t(i)]->SetCaption(items_[i]);
  if (!Loading()) SetItemIndex(itemIndex_);
  ArrangeButtons();
}

// Top to bottom, then left to right: each column as wide as the client area allows, each row an
// equal share of the height below the caption.
void TCustomRadioGroup::ArrangeButtons() {
  if (buttons_.empty()) return;
  TEXTMETRICW tm{};
  {
    WindowDC screen;
    DcSelection font(screen.Get(), Font()->Handle());
    GetTextMetricsW(screen.Get(), &tm);
  }
  const int count = int(buttons_.size());
  const int perColumn = (count + columns_ - 1) / columns_;
  const RECT client = ClientRect();
  const int width = (client.right - 10) / columns_;
  const int room = client.bottom - tm.tmHeight - 5;
  const int height = std::max(room / perColumn, 1);
  const int top = tm.tmHeight + 1 + (room % perColumn) / 2;
  for (int i = 0; i < count; ++i)
    buttons_[size_t(i)]->SetBounds((i / perColumn) * width + 8, (i % perColumn) * height + top, width, height);
}

void TCustomRadioGroup::ButtonClicked(TRadioButton* button) {
  const auto it = std::find(buttons_.begin(), buttons_.end(), button);
  if (it == buttons_.end()) return;
  itemIndex_ = int(it - buttons_.begin());
  Click();
}

void TCustomRadioGroup::WndProc(TMessage& m) {
  TCustomGroupBox::WndProc(m);
  switch (m.Msg) {
    case WM_SIZE:
    case CM_FONTCHANGED:
      ArrangeButtons();
      break;
    case CM_ENABLEDCHANGED:
      for (TRadioButton* b : buttons_) b->SetEnabled(Enabled());
      break;
    default:
      break;
  }
}

}  // namespace bus
