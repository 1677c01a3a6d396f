// Page controls: a tab control whose tabs are its pages (TTabSheet children). The active page is
// shown in the display area and every other page is hidden; a user's tab change shows the new page,
// hides the old one, then fires OnChange.
#pragma once

#include <vector>

#include "framework/controls/TabControl.h"

namespace bus {

class TTabSheet;

class TPageControl : public TCustomTabControl {
  BUS_CLASS(TPageControl)
public:
  explicit TPageControl(TComponent* owner);

  int PageCount() const noexcept { return int(pages_.size()); }
  TTabSheet* Pages(int index) const { return pages_.at(size_t(index)); }
  TTabSheet* ActivePage() const noexcept { return activePage_; }
  // Shows page (one of this control's, or null for none) and hides the one shown before.
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int v);

protected:
  TStringList TabCaptions() const override;
  int CurrentTab() const override;
  void Change(int index) override;
  void TabsMoved() override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void MovePage(TTabSheet* page, int index);
  void PageChanged();
  // The pages that have a tab, in tab order.
  std::vector<TTabSheet*> TabbedPages() const;
  // Places every page in the display area.
  void PlacePages();

  std::vector<TTabSheet*> pages_;    // in page order
  TTabSheet* activePage_ = nullptr;  // shown page
};

}  // namespace bus
