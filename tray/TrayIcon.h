// TTrayIcon: the program's icon in the notification area (the tray), for as long as the program
// runs. It shows an icon with a tip, reports mouse actions on the icon as events, pops up a menu
// on a right click, hides and shows the main window together with its taskbar button, can cycle
// through the images of an image list, and puts its icon back when the shell restarts.
//
// The shell learns about the icon through one record (identifier 1, owned by the component's own
// hidden message window, callback message 0x800) and three operations: add, modify and delete.
// Property setters that change what the shell shows refresh the icon at once; while the form
// description is being read they only store their value and Loaded shows the finished icon.
//
// Hooks: at construction the component puts a procedure in front of the application window's
// (to hide to the tray when the program is minimised, MinimizeToTray) and, when a form owns it, in
// front of the form's (to bring the application window and the form to the front when the form is
// shown, and to give the focus back to the active control whenever the form moves). Destruction
// removes the icon and takes both hooks off, the form's first.
//
// Not built yet (published and stored, it changes nothing): DesignPreview (there is no design
// time).
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Types.h"
#include "framework/controls/Messages.h"

namespace bus {

class TIcon;
class TImageList;
class TPopupMenu;
class TStream;
class TTimer;
class TUtilWindow;
class TWindowSubclass;

// (Sender, Index): the image of the icon list now shown by a cycle step.
using TTrayCycleEvent = TEvent<TObject*, int>;

// The shell's notify-icon call. Tests put a recorder in its place.
using TShellNotifyIcon = std::function<BOOL(DWORD message, NOTIFYICONDATAW& data)>;

class TTrayIcon : public TComponent {
  BUS_CLASS(TTrayIcon)
public:
  // The callback message the shell sends to the hidden window: WM_USER + 1024.
  static constexpr UINT kCallbackMessage = WM_USER + 1024;
  // The icon's identifier within its window.
  static constexpr UINT kIconId = 1;
  // Longest tip in UTF-16 units (the record's tip holds this many and a terminator).
  static constexpr int kMaxTipLength = 63;

  explicit TTrayIcon(TComponent* owner);
  ~TTrayIcon() override;

  // --- Published properties ------------------------------------------------------------
  // Stored only; there is no design time.
  bool DesignPreview() const noexcept { return designPreview_; }
  void SetDesignPreview(bool v) noexcept { designPreview_ = v; }
  TImageList* IconList() const noexcept { return iconList_; }
  // Stores the list, then sets IconIndex to 0 (showing its first image).
  void SetIconList(TImageList* list);
  bool CycleIcons() const noexcept { return cycleIcons_; }
  // True starts at image 0 and runs the cycle timer; false stops it.
  void SetCycleIcons(bool v);
  unsigned CycleInterval() const noexcept { return cycleInterval_; }
  void SetCycleInterval(unsigned ms);
  // While false the icon's mouse actions are ignored.
  bool Enabled() const noexcept { return enabled_; }
  void SetEnabled(bool v) noexcept { enabled_ = v; }
  const std::string& Hint() const noexcept { return hint_; }
  void SetHint(const std::string& hint);
  bool ShowHint() const noexcept { return showHint_; }
  void SetShowHint(bool v);
  TIcon* Icon() const noexcept { return icon_.get(); }
  // Copies icon and refreshes.
  void SetIcon(const TIcon& icon);
  // True adds the icon to the tray, false removes it.
  bool IconVisible() const noexcept { return iconVisible_; }
  void SetIconVisible(bool v);
  int IconIndex() const noexcept { return iconIndex_; }
  // With an icon list: the index (clamped to the list) whose image becomes Icon; without one: 0.
  void SetIconIndex(int index);
  TPopupMenu* PopupMenu() const noexcept { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);
  // The left button opens the menu too.
  bool LeftPopup() const noexcept { return leftPopup_; }
  void SetLeftPopup(bool v) noexcept { leftPopup_ = v; }
  // At start the main window stays hidden: the program starts in the tray.
  bool StartMinimized() const noexcept { return startMinimized_; }
  void SetStartMinimized(bool v) noexcept { startMinimized_ = v; }
  // Minimising the program hides it to the tray.
  bool MinimizeToTray() const noexcept { return minimizeToTray_; }
  void SetMinimizeToTray(bool v) noexcept { minimizeToTray_ = v; }

  TNotifyEvent OnClick;         // published: left button pressed and released on the icon
  TNotifyEvent OnDblClick;      // published
  TMouseEvent OnMouseDown;      // published: position in screen coordinates
  TMouseEvent OnMouseUp;        // published
  TMouseMoveEvent OnMouseMove;  // published
  TTrayCycleEvent OnCycle;      // published

  // --- Operations ----------------------------------------------------------------------
  // Each prepares the icon record, then asks the shell to add, delete or modify the icon; the
  // shell's answer is not looked at. AddIcon marks the icon visible, RemoveIcon invisible.
  virtual void AddIcon();
  virtual void RemoveIcon();
  virtual void RefreshIcon();

  // Shows the application window (and with it the taskbar button), then the main window; a
  // minimised application is restored first, with the forms its minimising hid.
  void RestoreMainWindow();
  // Hides the main window, then the application window (and the taskbar button).
  void HideMainWindow();
  // Pops up PopupMenu at the cursor when it is set and pops up automatically.
  void PopupAtCursor();

  // The hidden window the shell talks to.
  HWND Handle() const noexcept;
  // The shell call's current replacement; returns the one it replaces. An empty function
  // restores the platform's own.
  static TShellNotifyIcon SetShellNotifyIcon(TShellNotifyIcon call);

protected:
  // Event firing, one per event.
  virtual void DoClick();
  virtual void DoDblClick();
  virtual void DoCycle(int index);
  virtual void DoMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void DoMouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void DoMouseMove(TShiftState shift, int x, int y);
  // Minimised with MinimizeToTray: hide to the tray and make sure the icon shows.
  virtual void DoMinimizeToTray();

  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void BeforeDestruction() override;

private:
  void ReadIcon(TStream& stream);
  void PrepareIconData();
  void Notify(DWORD message);
  bool HandleWindowMessage(TMessage& m);
  void HandleIconMessage(UINT mouseMessage);
  void OwnerMessage(const TMessage& m);
  void ApplicationMessage(const TMessage& m);
  void CycleStep();
  void ClickDefaultItem();
  HWND OwnerWindow() const;
  void Teardown() noexcept;

  bool designPreview_ = false;            // stored only
  TImageList* iconList_ = nullptr;        // images for IconIndex and cycling
  bool cycleIcons_ = false;               // the cycle timer runs
  unsigned cycleInterval_ = 0;            // milliseconds between cycle steps
  bool enabled_ = true;                   // mouse actions are reported
  std::string hint_;                      // tip text (UTF-8)
  bool showHint_ = false;                 // the tip is shown
  std::unique_ptr<TIcon> icon_;           // the icon shown
  bool iconVisible_ = true;               // the icon is (to be) in the tray
  int iconIndex_ = 0;                     // image of iconList_ in icon_
  TPopupMenu* popupMenu_ = nullptr;       // menu of the right button
  bool leftPopup_ = false;                // the left button pops up the menu too
  bool startMinimized_ = false;           // start hidden in the tray
  bool minimizeToTray_ = false;           // minimising hides to the tray
  bool clickPending_ = false;             // a left press waits for its release to click
  NOTIFYICONDATAW iconData_{};            // the record handed to the shell
  std::unique_ptr<TUtilWindow> window_;   // hidden window the shell sends callbacks to
  std::unique_ptr<TTimer> cycleTimer_;    // drives the cycle steps
  std::unique_ptr<TWindowSubclass> appHook_;  // in front of the application window's procedure
  std::unique_ptr<TWindowSubclass> ownerHook_;  // in front of the owner window's procedure
  bool tornDown_ = false;                 // icon removed, hooks off, windows gone
};

// Registers TTrayIcon for form descriptions.
void RegisterTrayClasses();

}  // namespace bus
