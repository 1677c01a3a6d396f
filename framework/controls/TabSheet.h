// A page of a page control: a container whose tab shows Caption. The page control places it in its
// display area and shows it only while it is the active page. A description writes the pages
// inside their page control.
#pragma once

#include "framework/controls/WinControl.h"

namespace bus {

class TPageControl;

class TTabSheet : public TWinControl {
  BUS_CLASS(TTabSheet)
public:
  explicit TTabSheet(TComponent* owner);

  TPageControl* PageControl() const noexcept { return pageControl_; }
  // Joins pageControl (as its last page) or leaves its page control (null).
  void SetPageControl(TPageControl* pageControl);
  // Position among the page control's pages; -1 without one.
  int PageIndex() const;
  void SetPageIndex(int v);
  // The page has a tab (a page without one can still be made active from code).
  bool TabVisible() const noexcept { return tabVisible_; }
  void SetTabVisible(bool v);

  void SetParent(TWinControl* parent) override;
  void WndProc(TMessage& message) override;

protected:
  void BeforeDestruction() override;

private:
  friend class TPageControl;
  TPageControl* pageControl_ = nullptr;  // holder of this page; also its parent
  bool tabVisible_ = true;               // shown as a tab
};

}  // namespace bus
