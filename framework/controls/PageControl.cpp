#include "framework/controls/PageControl.h"

#include <algorithm>

#include "framework/Properties.h"
#include "framework/controls/TabSheet.h"

namespace bus {

const TClassInfo& TPageControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TPageControl>("TPageControl", TCustomTabControl::StaticClassInfo())
          .Creatable()
          .Reference<TTabSheet>("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage)
          .Build();
  return info;
}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

std::vector<TTabSheet*> TPageControl::TabbedPages() const {
  std::vector<TTabSheet*> tabbed;
  for (TTabSheet* p : pages_)
    if (p->TabVisible()) tabbed.push_back(p);
  return tabbed;
}

TStringList TPageControl::TabCaptions() const {
  TStringList captions;
  for (TTabSheet* p : TabbedPages()) captions.Add(p->Caption());
  return captions;
}

int TPageControl::CurrentTab() const {
  const std::vector<TTabSheet*> tabbed = TabbedPages();
  const auto it = std::find(tabbed.begin(), tabbed.end(), activePage_);
  return it == tabbed.end() ? -1 : int(it - tabbed.begin());
}

int TPageControl::ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int v) {
  SetActivePage(v >= 0 && v < PageCount() ? pages_[size_t(v)] : nullptr);
}

// The new page is shown before the old one is hidden, so the area never shows empty; a focus that
// was on the old page goes to the page control.
void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->PageControl() != this)
    throw EInvalidOperation("the page " + page->Name() + " is not a page of " + Name());
  if (page == activePage_) return;
  TTabSheet* old = activePage_;
  activePage_ = page;
  if (Loading()) return;
  if (page) page->SetVisible(true);
  if (old) {
    const HWND focus = GetFocus();
    const bool focusOnOld = old->HandleAllocated() && focus && IsChild(old->HandleIfAllocated(), focus);
    old->SetVisible(false);
    if (focusOnOld && CanFocus()) SetFocus();
  }
  SelectTab(CurrentTab());
}

void TPageControl::Change(int index) {
  const std::vector<TTabSheet*> tabbed = TabbedPages();
  if (index >= 0 && index < int(tabbed.size())) SetActivePage(tabbed[size_t(index)]);
  OnChange(this);
}

void TPageControl::Loaded() {
  TCustomTabControl::Loaded();
  if (!activePage_ && !TabbedPages().empty()) activePage_ = TabbedPages().front();
  for (TTabSheet* p : pages_) p->SetVisible(p == activePage_);
  UpdateTabs();
  PlacePages();
}

void TPageControl::Notification(TComponent* component, TOperation operation) {
  TCustomTabControl::Notification(component, operation);
  if (operation == TOperation::opRemove)
    if (auto* page = dynamic_cast<TTabSheet*>(component); page && page->PageControl() == this) RemovePage(page);
}

void TPageControl::InsertPage(TTabSheet* page) {
  pages_.push_back(page);
  PlacePages();
  if (!activePage_ && !Loading() && page->TabVisible()) SetActivePage(page);
  UpdateTabs();
}

// The page after the one removed (or before it, for the last) becomes active.
void TPageControl::RemovePage(TTabSheet* page) {
  const auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  const size_t index = size_t(it - pages_.begin());
  pages_.erase(it);
  page->pageControl_ = nullptr;
  if (page == activePage_) {
    activePage_ = nullptr;
    if (!Destroying() && !pages_.empty()) SetActivePage(pages_[std::min(index, pages_.size() - 1)]);
  }
  if (!Destroying()) UpdateTabs();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
  const auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  pages_.erase(it);
  index = std::clamp(index, 0, int(pages_.size()));
  pages_.insert(pages_.begin() + index, page);
  UpdateTabs();
}

void TPageControl::PageChanged() { UpdateTabs(); }

void TPageControl::TabsMoved() { PlacePages(); }

// Without a window the display area is not known yet: the pages get the client area less a
// usual frame and tab row, and take their true place when the window is made.
void TPageControl::PlacePages() {
  RECT r = ClientRect();
  if (HandleAllocated()) {
    r = DisplayRect();
  } else {
    constexpr int kFrame = 4, kTabRow = 24;
    InflateRect(&r, -kFrame, -kFrame);
    switch (TabPosition()) {
      case TTabPosition::tpTop:
        r.top += kTabRow;
        break;
      case TTabPosition::tpBottom:
        r.bottom -= kTabRow;
        break;
      case TTabPosition::tpLeft:
        r.left += kTabRow;
        break;
      case TTabPosition::tpRight:
        r.right -= kTabRow;
        break;
    }
  }
  for (TTabSheet* p : pages_) p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace bus
