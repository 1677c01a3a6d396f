// Tab controls: a superclassed native tab control (SysTabControl32) with one tab per caption,
// placed along TabPosition. TTabControl shows its Tabs and keeps TabIndex; TPageControl (its own
// file) shows one tab per page.
//
// A user's tab change (click, arrow keys) asks OnChanging first (it may refuse), then fires
// OnChange after the new tab is the current one; setting the tab from code fires neither.
//
// This is the page and tab control kind of the skin's control selection: TCustomTabControl and
// every class derived from it.
#pragma once

#include <string>

#include "framework/NotifyStringList.h"
#include "framework/controls/WinControl.h"

namespace bus {

enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

// (Sender, AllowChange): clear AllowChange to keep the current tab.
using TTabChangingEvent = TEvent<TObject*, bool&>;

class TCustomTabControl : public TWinControl {
  BUS_CLASS(TCustomTabControl)
public:
  explicit TCustomTabControl(TComponent* owner);

  TTabPosition TabPosition() const noexcept { return tabPosition_; }
  void SetTabPosition(TTabPosition v);
  // The area inside the tab control's frame, below (beside) the tabs, in client coordinates.
  RECT DisplayRect();
  // The rectangle of tab index in client coordinates (empty when there is no such tab).
  RECT TabRect(int index);

  TNotifyEvent OnChange;           // published
  TTabChangingEvent OnChanging;    // published

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // The captions the tabs show now.
  virtual TStringList TabCaptions() const = 0;
  // The tab that is current now (-1: none).
  virtual int CurrentTab() const = 0;
  // A user's change: may it leave the current tab? Then: the new tab is index.
  virtual bool CanChange();
  virtual void Change(int index) = 0;
  // The tab row changed size or place: the derived control re-places what it shows.
  virtual void TabsMoved() {}
  // Makes the native tabs show TabCaptions and CurrentTab.
  void UpdateTabs();
  void SelectTab(int index);

private:
  void CnNotify(TMessage& m);

  TTabPosition tabPosition_ = TTabPosition::tpTop;  // tab row side
  bool settingTabs_ = false;                        // code is changing the tabs: no events
};

class TTabControl : public TCustomTabControl {
  BUS_CLASS(TTabControl)
public:
  explicit TTabControl(TComponent* owner);

  TNotifyStringList& Tabs() noexcept { return tabs_; }
  // -1 or a tab; other values select none.
  int TabIndex() const noexcept { return tabIndex_; }
  void SetTabIndex(int v);

protected:
  TStringList TabCaptions() const override { return tabs_.Lines(); }
  int CurrentTab() const override { return tabIndex_; }
  void Change(int index) override;
  void Loaded() override;

private:
  TStringList TabsValue() const { return tabs_.Lines(); }
  void SetTabsValue(const TStringList& lines) { tabs_.Assign(lines); }

  TNotifyStringList tabs_;  // one tab each
  int tabIndex_ = -1;       // current tab
};

}  // namespace bus
