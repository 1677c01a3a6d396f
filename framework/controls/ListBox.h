// List boxes: a superclassed native LISTBOX with its own vertical scroll bar, showing Items. A
// user's selection (mouse or keys) fires OnClick, after ItemIndex shows it; setting Items or
// ItemIndex from code fires nothing.
//
// TCustomListBox and every class derived from it scroll: one of the scrolling kinds of the skin's
// control selection.
#pragma once

#include "framework/controls/ListControl.h"

namespace bus {

class TCustomListBox : public TCustomListControl {
  BUS_CLASS(TCustomListBox)
public:
  explicit TCustomListBox(TComponent* owner);

  // The first line shown.
  int TopIndex() const;
  void SetTopIndex(int v);

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
};

class TListBox : public TCustomListBox {
  BUS_CLASS(TListBox)
public:
  using TCustomListBox::TCustomListBox;
};

}  // namespace bus
