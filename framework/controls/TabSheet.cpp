#include "framework/controls/TabSheet.h"

#include <algorithm>

#include "framework/Properties.h"
#include "framework/controls/PageControl.h"

namespace bus {

const TClassInfo& TTabSheet::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTabSheet>("TTabSheet", TWinControl::StaticClassInfo())
                                     .Creatable()
                                     .Int("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex, -1)
                                     .Bool("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible, true)
                                     .Build();
  return info;
}

// Hidden until its page control makes it the active page.
TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) { TControl::SetVisible(false); }

void TTabSheet::BeforeDestruction() {
  SetPageControl(nullptr);
  TWinControl::BeforeDestruction();
}

void TTabSheet::SetParent(TWinControl* parent) {
  if (auto* pageControl = dynamic_cast<TPageControl*>(parent)) return SetPageControl(pageControl);
  if (pageControl_) {
    pageControl_->RemovePage(this);
    pageControl_ = nullptr;
  }
  TWinControl::SetParent(parent);
}

void TTabSheet::SetPageControl(TPageControl* pageControl) {
  if (pageControl == pageControl_) return;
  if (pageControl_) pageControl_->RemovePage(this);
  pageControl_ = pageControl;
  TWinControl::SetParent(pageControl);
  if (pageControl) pageControl->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  for (int i = 0; i < pageControl_->PageCount(); ++i)
    if (pageControl_->Pages(i) == this) return i;
  return -1;
}

void TTabSheet::SetPageIndex(int v) {
  if (pageControl_) pageControl_->MovePage(this, v);
}

void TTabSheet::SetTabVisible(bool v) {
  if (v == tabVisible_) return;
  tabVisible_ = v;
  if (pageControl_) pageControl_->PageChanged();
}

void TTabSheet::WndProc(TMessage& m) {
  TWinControl::WndProc(m);
  if (m.Msg == CM_TEXTCHANGED && pageControl_) pageControl_->PageChanged();
}

}  // namespace bus
