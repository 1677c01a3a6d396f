// Tab sets: a row of tabs hanging from the control's top edge (as under a page of sheets), drawn by
// the layer. Each tab is as wide as its caption plus 9 pixels; the row starts StartMargin pixels in
// and ends EndMargin pixels before the right edge, showing the tabs from FirstIndex on. When they do
// not all fit (or the first is scrolled away) and AutoScroll is set, two arrow buttons at the right
// end scroll the row. A user's click on a tab makes it current (TabIndex) and fires OnChange;
// setting TabIndex from code fires nothing.
#pragma once

#include <vector>

#include "framework/NotifyStringList.h"
#include "framework/controls/CustomControl.h"

namespace bus {

class TTabSet : public TCustomControl {
  BUS_CLASS(TTabSet)
public:
  explicit TTabSet(TComponent* owner);

  TNotifyStringList& Tabs() noexcept { return tabs_; }
  // -1 or a tab; other values select none.
  int TabIndex() const noexcept { return tabIndex_; }
  void SetTabIndex(int v);
  // The first tab shown; kept within the tabs.
  int FirstIndex() const noexcept { return firstIndex_; }
  void SetFirstIndex(int v);
  int StartMargin() const noexcept { return startMargin_; }
  void SetStartMargin(int v);
  int EndMargin() const noexcept { return endMargin_; }
  void SetEndMargin(int v);
  bool AutoScroll() const noexcept { return autoScroll_; }
  void SetAutoScroll(bool v);
  TColor SelectedColor() const noexcept { return selectedColor_; }
  void SetSelectedColor(TColor v);
  TColor UnselectedColor() const noexcept { return unselectedColor_; }
  void SetUnselectedColor(TColor v);

  // The rectangle of tab index in client coordinates; empty when it is not shown.
  RECT TabRect(int index) const;
  // The tab at p (client coordinates), or -1.
  int TabAt(POINT p) const;
  // The arrow buttons are shown.
  bool ScrollButtonsShown() const { return Arrange().scrollButtons; }
  // Where the two arrow buttons are, side by side (client coordinates); empty when not shown.
  RECT ScrollButtonsRect() const;

  TNotifyEvent OnChange;  // published

protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  struct TArrangement {
    std::vector<RECT> tabs;      // of the tabs from FirstIndex on that fit, in order
    bool scrollButtons = false;  // the arrows are shown
    RECT left{}, right{};        // the arrows
  };
  TArrangement Arrange() const;
  TStringList TabsValue() const { return tabs_.Lines(); }
  void SetTabsValue(const TStringList& lines) { tabs_.Assign(lines); }
  void PaintTab(HDC dc, const RECT& r, int index, bool selected);

  TNotifyStringList tabs_;              // one tab each
  int tabIndex_ = -1;                   // current tab
  int firstIndex_ = 0;                  // first tab shown
  int startMargin_ = 5;                 // room before the first tab
  int endMargin_ = 5;                   // room after the last
  bool autoScroll_ = true;              // arrows when the tabs do not fit
  TColor selectedColor_ = clBtnFace;    // the current tab
  TColor unselectedColor_ = clWindow;   // the other tabs
};

}  // namespace bus
