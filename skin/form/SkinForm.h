// TSkinForm: the skinning object of one adopted top-level window (one of our forms, a message
// box, a platform dialog). The skin manager creates it and has it hook the window; from then on
// the window's messages pass through WndProc. When the manager's message 0x3503 arrives, the
// object gives the window's controls their wrappers (the control selection) and keeps them in its
// wrapper list, with one canvas they all share. A bare window (no form object) also gets its
// background and static texts in the skin's face colour.
//
// With frame skinning (xcMainMenu in the skin's SkinControls) the object also owns the window's
// frame: it takes the platform's caption buttons and system menu off the window (and the caption of
// a window without owner), tells the platform that the client area lies inside the skin's borders,
// paints the borders, the caption strip with its text and the skin's caption buttons, cuts the
// window's shape out of the border images' magenta pixels, answers hit tests from the skin's
// geometry, and carries out what the caption buttons and the skin's system menu ask for. The
// window's size is fitted once, when the controls are skinned, so that the client area keeps its
// size inside the skin's frame. Where the code lives:
//   SkinForm.cpp           hooking, giving back, the wrapper list, the window procedure's first stage
//   SkinFormSelection.cpp  the control selection
//   SkinFormFrame.cpp      frame geometry and styles, the window procedure's frame stages (size,
//                          activation, hit tests, the client area), the hover timer
//   SkinFormPaint.cpp      painting the frame and the caption, the window region
//   SkinFormCaption.cpp    caption buttons, the non-client mouse, the system popup, window commands
//   SkinFormMenu.cpp       the menu bar (SkinMenuBar.h) and its menu loop
//   SkinFormMDI.cpp        MDI frames and children: the client's procedure, the shared maximised state
//   SkinFormMenuItems.cpp  menus made owner-drawn and back, menu items measured and drawn for the
//                          window (MenuItemPainter.h paints them)
//
// Giving the window back: Unhook (skinning switched off), UnhookOnDestroy (WM_NCDESTROY) and
// UnhookPlain (windows without frame skinning) take every wrapper off and put back the window's
// procedure, the form's handler and the form's colour; Unhook also gives back the frame styles,
// the platform's frame around a client area of the same size, and the region the window had, so
// the window is as it was before.
//
// Owner: the adopted form, or none for a bare window, which the manager frees once the window is
// gone. Use from the user-interface thread.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/CallCounter.h"
#include "framework/Component.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Messages.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/SkinWrapperHost.h"

namespace bus {

class TControl;
class TControlMessageHook;
class TCustomForm;
class TDataSkinBorder;
class TMainMenu;
class TMenu;
class TMenuBtn;
class TMenuItem;
class TMenuItemPainter;
class TNCObject;
class TPopupMenu;
class TSkinCaptionButton;
class TSkinControl;
class TSkinData;
class TSkinMenuBar;
class TTimer;
class TToolBar;
class TToolButton;
class TWindowSubclass;

// Sent to a form window: re-skin the form.
inline constexpr UINT kSkinMsgReskin = 0x3401;
// Sent or posted to a skinned window: repaint the frame now.
inline constexpr UINT kSkinMsgPaintFrame = 0x3502;
// Posted to a skinned window by a caption button whose action is the program's own; wParam the action.
inline constexpr UINT kSkinMsgCaptionAction = 0x3514;
// Sent to a window by the caption button visibility test (Visibility 1000 … 2000): wParam the
// button's index; an answer above 0 shows the button.
inline constexpr UINT kSkinMsgButtonVisible = 0x3515;
// The widget layer's notification that a control's mouse left it, and that a form's menu changed.
inline constexpr UINT kSkinMsgMouseLeave = 0xB014;
inline constexpr UINT kSkinMsgMenuChanged = 0xB015;

// Life of a form object.
inline constexpr int kLifeHooked = 0;       // hooked with frame skinning, controls not skinned yet
inline constexpr int kLifeReady = 1;        // ready
inline constexpr int kLifeReskinning = 3;   // Reskin runs
inline constexpr int kLifeDestroying = 4;   // the window is being destroyed
inline constexpr int kLifeFitting = 5;      // the first fitting of the window runs
inline constexpr int kLifeGone = 6;         // the window is gone

// Kind of window.
inline constexpr int kKindPlain = 0;
inline constexpr int kKindMDIFrame = 1;
inline constexpr int kKindMDIChild = 2;

// Border style as the frame sees it.
inline constexpr int kBorderSizeable = 0;
inline constexpr int kBorderSingle = 1;
inline constexpr int kBorderNone = 2;
inline constexpr int kBorderDialog = 3;

// CaptionFlags bits.
inline constexpr int kCaptionMaximize = 1;
inline constexpr int kCaptionMinimize = 2;
inline constexpr int kCaptionSystemMenu = 8;
inline constexpr int kCaptionRemoved = 0x10;

// Window state as the frame follows it.
inline constexpr int kStateNormal = 0;
inline constexpr int kStateMaximized = 1;
inline constexpr int kStateMinimized = 2;

// Tags of the skin's system popup items.
inline constexpr int kPopupRestore = 0;
inline constexpr int kPopupMaximize = 1;
inline constexpr int kPopupMinimize = 2;
inline constexpr int kPopupClose = 3;
inline constexpr int kPopupSeparator = 100;
// Tag of the skin's system popup.
inline constexpr int kSystemPopupTag = 33333;
// Interval of the hover timer, milliseconds.
inline constexpr unsigned kHoverInterval = 250;

class TSkinForm : public TComponent, public TSkinWrapperHost {
  BUS_CLASS(TSkinForm)
public:
  explicit TSkinForm(TComponent* owner);
  ~TSkinForm() override;

  // Published and stored; the selection reads the skin data's DisableTag instead.
  int DisableTag() const noexcept { return disableTag_; }
  void SetDisableTag(int tag) noexcept { disableTag_ = tag; }

  // --- Hooking and giving back --------------------------------------------------------------
  HWND Handle() const noexcept { return handle_; }
  // The window to hook; set by the manager before HookForm or HookWindow.
  void SetHandle(HWND window) noexcept { handle_ = window; }
  // Takes over a form's window: with frame skinning the form's handler too, then the window, then
  // the form's colour becomes the skin's ButtonFace.
  void HookForm(TSkinData* skin, TCustomForm* form);
  // Takes over the window (once): reads what the frame needs and subclasses the window.
  void HookWindow(TSkinData* skin);
  // The window procedure is ours.
  bool Hooked() const noexcept;
  // Skinning switched off: gives the window back and frees the wrappers.
  void Unhook();
  // WM_NCDESTROY: the same, as far as a window that goes needs it.
  void UnhookOnDestroy();
  // Both, for a window without frame skinning.
  void UnhookPlain();
  // Detaches (unless the window is gone) and frees every wrapper.
  void ReleaseWrappers() noexcept;
  // A new skin was loaded: the form's colour, every wrapper, the frame fitted anew around the same
  // client area (its widths, caption buttons and region from the new skin), a refocus.
  void Reskin();
  // Frees the object now, or, while it handles a message, when that message is done.
  void Dispose() noexcept;

  // --- The wrapper list -------------------------------------------------------------------
  bool RegisterWrapper(TSkinControl* wrapper) override;
  void UnregisterWrapper(TSkinControl* wrapper) noexcept override;
  TSkinControl* HotButton() const noexcept override { return hotButton_; }
  void SetHotButton(TSkinControl* wrapper) noexcept override { hotButton_ = wrapper; }
  // The wrapper whose Handle is window, or null.
  TSkinControl* FindWrapper(HWND window) const noexcept;
  // Frees the wrappers whose window is gone (Status 6), last first.
  void PurgeWrappers() noexcept;
  const std::vector<TSkinControl*>& Wrappers() const noexcept { return wrappers_; }
  // The canvas every wrapper of this window draws with.
  TCanvas& WrapperCanvas() noexcept { return wrapperCanvas_; }

  // --- Control selection --------------------------------------------------------------------
  // Purges the wrapper list, then gives every control owned by owner, in ownership order, its
  // wrapper.
  void SkinComponents(TComponent* owner);
  // Chooses and attaches the wrapper of one control object (or none).
  void SkinComponent(TControl* control, TComponent* owner);
  // The Skin3rd rule: true when a line names the class (whatever it then skins).
  bool SkinByKind(const std::string& className, TControl* control);
  // The control has a wrapper of this window already.
  bool IsSkinned(TControl* control) const;
  // The control scrolls: scroll bar styles, memos, list boxes, list views, rich edits, Tag 55.
  static bool IsScrollable(TControl* control);
  // Every child window of a bare window: SkinChildWindow.
  void SkinChildWindows();
  // Chooses and attaches the wrapper of a window that has no control object (or none).
  void SkinChildWindow(HWND window);
  // Has the form object paint bar's buttons from the skin's Buttons, unless the program paints
  // them itself (its custom-draw event is assigned); taken back when the bar's wrapper goes.
  void PaintToolButtons(TToolBar& bar);
  // The painter: the Buttons frame of the button's state (pressed 2, hot or focused 4, normal 1)
  // within its bounds, while the window is ready; other states are left to the bar.
  void ToolButtonPainter(TToolBar* bar, TToolButton* button, UINT state, bool& defaultDraw);

  // --- The window procedure -------------------------------------------------------------------
  void WndProc(TMessage& m);
  // The window's own processing (the procedure our subclass replaced).
  void Default(TMessage& m);

  // --- State --------------------------------------------------------------------------------
  TSkinData* SkinData() const noexcept { return skinData_; }
  TCustomForm* OwnerForm() const noexcept { return ownerForm_; }
  int Life() const noexcept { return life_; }
  bool FrameSkinning() const noexcept { return frameSkinning_; }
  bool ChildrenSkinned() const noexcept { return childrenSkinned_; }
  int Kind() const noexcept { return kind_; }
  int BorderStyle() const noexcept { return borderStyle_; }
  int CaptionFlags() const noexcept { return captionFlags_; }
  const std::string& WindowClass() const noexcept { return windowClass_; }
  bool IsDialog() const noexcept { return isDialog_; }
  bool UnicodeWindow() const noexcept { return unicodeWindow_; }
  bool Sizeable() const noexcept { return sizeable_; }
  bool RightToLeft() const noexcept { return rightToLeft_; }
  DWORD SavedStyle() const noexcept { return savedStyle_; }
  HWND OwnerWindow() const noexcept { return ownerWindow_; }
  const RECT& HookClientRect() const noexcept { return hookClientRect_; }
  const RECT& NativeFrame() const noexcept { return nativeFrame_; }
  HWND MDIClientWindow() const noexcept { return mdiClientWindow_; }
  // The platform's caption font (the framework's default when it cannot be read).
  const TFont& CaptionFont() const noexcept { return captionFont_; }

  // --- The frame: geometry and styles (SkinFormFrame.cpp) -------------------------------------
  // Reads the frame widths from the skin's border images (all 0 for a window without border) and
  // makes the caption buttons anew, one per entry of the skin's SysButtons. Nothing for an empty skin.
  void BuildFrame();
  // Resizes the window so that its client area keeps its size inside the skin's frame: the size the
  // platform's frame gave it (keepClient false, the first fitting), or its current one (true). A
  // dialog whose caption needs more width is widened, its children moved right by half the
  // difference. A maximised window only has its frame recomputed. Without redraw, nothing of the
  // window or of what it uncovers is invalidated.
  void FitWindow(bool keepClient, bool redraw = true);
  // Strips (false) or gives back (true) the platform's frame styles: an owned window (or an MDI
  // child) loses its system menu and box styles and keeps its caption; any other window loses its
  // caption and keeps the rest (for its taskbar entry). Giving back puts back exactly what the
  // window had at hook time.
  void SetFrameStyles(bool restore);
  // Makes the platform recompute the frame and repaint it.
  void FrameChanged() const;
  // WindowState from the window's placement.
  void UpdateWindowState();
  // A screen point in window coordinates (origin at the window's top-left corner).
  POINT ScreenToFrame(int x, int y) const;
  // The hit code of a point in window coordinates, from the skin's geometry: the caption buttons,
  // the caption, the menu bar strip, the borders (sizing edges and corners of a sizeable window
  // that is not maximised), the client area, or nowhere outside the window.
  LRESULT FrameHitTest(POINT p) const;
  // The hover timer's tick: the hot caption button whose rectangle the cursor has left, and the
  // hot button wrapper of a bare window, are told that the mouse left.
  void CheckHover();

  // --- The frame: painting and region (SkinFormPaint.cpp) -----------------------------------
  // Paints the whole non-client area: the borders, the caption strip with its text and buttons.
  // On dc, or (null) on the window's own DC. Only while the window is ready or re-skinning and
  // visible; every caption button is then drawn normal and none is hot. Errors are swallowed: the
  // next paint tries again.
  void PaintFrame(HDC dc = nullptr);
  // One border image into r on dc: frame 1 for an active window or a one-frame image, else 2;
  // tiled where its Tile is not 1; opaque. Nothing for a rectangle of negative size.
  void DrawBorderSide(const TDataSkinBorder& side, const RECT& r, HDC dc) const;
  // The caption strip, composed off screen and copied to dc in one transfer.
  void PaintCaption(HDC dc);
  // The caption text on its background band, placed in r by the skin's Title; sets TextRect.
  void PaintCaptionText(HDC dc, const RECT& r);
  // Gives the window its region from the border images' transparent pixels (the whole window when
  // no border is transparent). Rebuilt only when the window's size differs from the size it was
  // built for; never for a window of zero area, while minimised, or once the window is gone.
  // Without redraw, neither the window nor what lies under its cut-away parts is repainted.
  void ApplyRegion(bool redraw = true);
  // True while nothing of the window can be on screen: it is hidden, or its whole client area still
  // waits for its first paint (as at its first activation, before the first WM_PAINT).
  bool AwaitsFirstPaint() const;
  // The first fitting and region of a window that awaits its first paint: both changes made without
  // a redraw each (under Wine each would erase the window and all its children at once), then the
  // window invalidated once for its first paint, and what it no longer covers of its rectangle
  // before the fitting invalidated in the windows behind.
  void FitUnpainted();
  // Takes the region off the window.
  void ClearRegion();

  // --- Caption buttons, the system popup, window commands (SkinFormCaption.cpp) -------------
  // Tests the visibility of caption button `index` by its Visibility, Visibility1 and Action, and
  // stores the answer in the button.
  bool IsButtonVisible(int index);
  // Places each visible caption button that has an image by its Align (window coordinates); the
  // others keep their rectangles. Also finds ButtonsLeftEdge.
  void LayoutCaptionButtons();
  // Draws the visible caption buttons (normal, or their inactive frame) into dc, the caption strip.
  void DrawCaptionButtons(HDC dc);
  // Draws one caption button in state (kNCNormal, kNCPressed, kNCHot) straight onto the window.
  void DrawSysButton(const TSkinCaptionButton& button, int state);
  // The first visible clickable caption button whose rectangle holds p (window coordinates).
  TSkinCaptionButton* FindCaptionButton(POINT p) const;
  // Carries out the button's action; (x, y) is the screen point of the press.
  void PerformAction(const TSkinCaptionButton& button, int x, int y);
  // Opens the skin's system popup (or, without xcSystemMenu, the platform's system menu) at the
  // screen point; a second call within the double-click time closes the window instead.
  void ShowSystemMenu(POINT p);
  // What a system popup item does, by its Tag.
  void SystemPopupClick(TMenuItem* item);
  // Window commands of the caption buttons and the popup: each posts the system command (a
  // maximised window restores instead of maximising, a minimised one instead of minimising).
  void Maximize();
  void Minimize();
  void Restore();
  // Frees the caption buttons (the skin's entries they show are about to go).
  void FreeCaptionButtons() noexcept;
  // The skin was read anew and its SysButtons are not those the buttons were made for (the skin data
  // component has the manager drop them at once; a skin read any other way is caught here).
  bool CaptionButtonsStale() const noexcept;
  void DropStaleCaptionButtons() noexcept;

  // --- The menu bar and its menu loop (SkinFormMenu.cpp) --------------------------------------
  // The skinned menu bar, or null (no menu, an MDI child, or no frame skinning).
  TSkinMenuBar* MenuBar() const noexcept { return menuBar_.get(); }
  // The caption button or, failing one, the menu bar item under p (window coordinates), or null.
  TNCObject* FindNCObject(POINT p) const;
  // A press on a bar item: posts its command, then drops its menu down under it and returns when
  // the menu closes; false when it has no menu. A disabled item opens nothing.
  bool OpenMenu(TMenuBtn& item);
  // Posts a press on the item, which opens it as the mouse would.
  void PostMenuClick(const TMenuBtn& item) const;
  // The enabled visible bar item whose accelerator is ch, or null.
  TMenuBtn* FindAccelItem(wchar_t ch) const;
  void EndMenuTracking() noexcept { trackingMenu_ = false; }
  // Turns every item of menu and its sub-menus owner-drawn.
  static void MarkOwnerDraw(HMENU menu);
  // The drop-down opened from the bar (the top level of the menu being tracked).
  HMENU TrackedSubMenu() const noexcept { return trackedSubMenu_; }
  // The window's menu at hook time.
  HMENU NativeMenu() const noexcept { return nativeMenu_; }
  // The open menu's selection changed (WM_MENUSELECT's wParam and lParam), or the menu closed.
  void MenuSelected(WPARAM wParam, LPARAM lParam);

  // --- MDI windows (SkinFormMDI.cpp) -----------------------------------------------------------
  // An MDI frame whose active child is maximised.
  bool IsActiveChildMaximized() const;
  // Sends a system command to an MDI frame's active child; the shared maximised state follows.
  void MDIChildCommand(UINT command);
  // An MDI child made by the client and adopted at the next refresh of the window menu, or null.
  HWND PendingMDIChild() const noexcept { return pendingMDIChild_; }
  // The manager's shared maximised state changed (an MDI child): maximised, the child keeps the
  // platform's frame; back to normal, the skin's frame again.
  void MDIMaximizedChanged(bool maximized);

  // --- Menus (SkinFormMenuItems.cpp) -------------------------------------------------------------
  // The item and all its sub-items at every depth: on, drawn and measured by the skin; off, the draw
  // event cleared (the measure event stays).
  void SkinMenuItems(TMenuItem* item, bool on);
  // Every popup menu of form whose Tag modulo 100 is not the skin's DisableTag, when the skin has
  // xcPopupMenu: on, owner-drawn with every item drawn and measured by the skin; off, the items'
  // events cleared and the menu's OwnerDraw as it was before. Nothing for a rich-edit dialog form.
  void SkinPopupMenus(TCustomForm* form, bool on);
  // Every main menu of form: on, owner-drawn, and the items below the top level that draw nothing
  // themselves drawn and measured by the skin (the bar's own items keep their drawing); off, every
  // item's events cleared and the menu's OwnerDraw as it was before.
  void SkinMainMenus(TCustomForm* form, bool on);
  // The painter of this window's menu items.
  TMenuItemPainter MenuPainter() const;
  // Sets the drop-down taken as opened from the bar (tests of its native items' measuring).
  void SetTrackedSubMenu(HMENU menu) noexcept { trackedSubMenu_ = menu; }

  // --- Frame state --------------------------------------------------------------------------
  int FrameLeft() const noexcept { return frameLeft_; }
  int FrameTop() const noexcept { return frameTop_; }
  int FrameRight() const noexcept { return frameRight_; }
  int FrameBottom() const noexcept { return frameBottom_; }
  int MenuHeight() const noexcept { return menuHeight_; }
  // The window is active (the last WM_ACTIVATE or WM_NCACTIVATE said so).
  bool Active() const noexcept { return active_; }
  int WindowState() const noexcept { return windowState_; }
  bool StylesRestored() const noexcept { return stylesRestored_; }
  const std::vector<std::unique_ptr<TSkinCaptionButton>>& CaptionButtons() const noexcept { return captionButtons_; }
  // The caption button (or menu bar item) under the mouse or pressed, or null.
  TNCObject* HotObject() const noexcept { return hotObject_; }
  void SetHotObject(TNCObject* object) noexcept { hotObject_ = object; }
  // Where the caption text was last drawn, and the left edge of the right-aligned caption buttons.
  const RECT& TextRect() const noexcept { return textRect_; }
  int ButtonsLeftEdge() const noexcept { return buttonsLeftEdge_; }
  // The caption strip as last painted.
  const TBitmap& CaptionBitmap() const noexcept { return captionBitmap_; }
  bool HasRegion() const noexcept { return hasRegion_; }
  // How many times a region was built for the window.
  int RegionBuilds() const noexcept { return regionBuilds_; }
  // The skin's own system menu, or null once given back.
  TPopupMenu* SystemPopup() const noexcept { return systemPopup_.get(); }
  TTimer* HoverTimer() const noexcept { return hoverTimer_.get(); }
  // The window's icon at small-icon size over magenta (or the skin's application icon).
  const TBitmap& IconBitmap() const noexcept { return iconBitmap_; }
  // A menu bar drop-down is open.
  bool TrackingMenu() const noexcept { return trackingMenu_; }

  // Makes and attaches the wrappers of one control for the selection rows.
  class Selection;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class Selection;

  // Message handlers of WndProc.
  void WmEraseBkgnd(TMessage& m);
  void WmNcDestroy(TMessage& m);
  void WmInitMenuPopup(TMessage& m);
  // Owner-drawn items of the window's native menus (SkinFormMenuItems.cpp).
  void WmMeasureItem(TMessage& m);
  void WmDrawItem(TMessage& m);
  // Every item of a popup menu at every depth: on, drawn and measured by the skin; off, both events
  // cleared.
  void SkinPopupItems(TMenu& menu, bool on);
  // Switches menu's OwnerDraw on, remembering that it was off.
  void SetMenuOwnerDraw(TMenu* menu);
  // The form's menus drawn by the platform again, as before hooking: their items' skin events off,
  // and OwnerDraw off where the skin switched it on.
  void GiveMenusBack();
  void WmCtlColorBtn(TMessage& m);
  void WmCtlColorStatic(TMessage& m);
  void SkinChildren(TMessage& m);
  // Stages 2 and 3 of the window procedure: the frame's messages (SkinFormFrame.cpp).
  void FrameMessage(TMessage& m);
  // Stage 2 (sizing, activation, commands); true when it handled the message.
  bool FrameStage2(TMessage& m);
  // Stage 3 (the non-client area), while the frame is the skin's; `handled`: stage 2 handled it.
  void FrameStage3(TMessage& m, bool handled);
  // Stage 3 runs: the frame is ready and the window neither minimised nor an MDI child out of
  // normal state.
  bool FrameIsSkinned() const noexcept;
  void WmSize(TMessage& m);
  void WmGetMinMaxInfo(TMessage& m);
  void WmWindowPosChanged(TMessage& m);
  void WmCommand(TMessage& m);
  void WmSysCommand(TMessage& m);
  void WmMenuChanged(TMessage& m);
  void WmNcCalcSize(TMessage& m);
  void WmNcHitTest(TMessage& m);
  void WmNcPaint(TMessage& m);
  void WmNcActivate(TMessage& m);
  // WM_SETTEXT and WM_SETICON: the platform paints its own caption for them; the skin's goes over it.
  void WmCaptionChanged(TMessage& m);
  // The non-client mouse (SkinFormCaption.cpp).
  void WmNcMouseMove(TMessage& m);
  void WmNcLButtonDown(TMessage& m);
  void WmNcLButtonUp(TMessage& m);
  void WmNcLButtonDblClk(TMessage& m);
  void WmNcRButtonDown(TMessage& m);
  // A new WindowState; leaving the minimised state strips the frame styles again and has the
  // platform recompute the frame, entering it gives the styles back (the minimised window shows
  // the platform's caption).
  void SetWindowState(int state);
  // The window's icon into IconBitmap (and IconHandle), or the skin's application icon.
  void LoadWindowIcon();
  void DrawWindowIcon(HDC dc, int x, int y) const;
  // Builds SystemPopup from CaptionFlags.
  void BuildSystemPopup();
  // The frame of a caption button's image for a state.
  int CaptionButtonFrame(const TSkinCaptionButton& button, int state) const noexcept;
  // Gives the window the platform's frame around a client area of the size it has now.
  void GiveBackFrameSize();
  // An MDI child while the children share the maximised state.
  bool SharedMaximized() const noexcept;
  // Makes the menu bar of a window that has a menu and builds it from the form's menu.
  void CreateMenuBar();
  // The form's menu changed: the bar follows it when the skin asks for that.
  void MenuChanged();
  // Gives the window its menu back and frees the bar.
  void GiveMenuBack();
  // WM_SYSCOMMAND SC_KEYMENU: true when the menu bar takes the key (Alt or F10 alone, or a letter
  // of one of its items).
  bool KeyMenu(LPARAM key);
  // The dialog-character notification: Alt with a bar item's letter opens it.
  bool WmDialogChar(TMessage& m);
  // The MDI client's procedure (an MDI frame), and putting it on and off.
  bool ClientWndProc(TMessage& m);
  void HookMDIClient();
  void UnhookMDIClient() noexcept;
  // The form object's handler while frame skinning hooks it.
  bool FormWindowProc(TMessage& m);
  // Runs WndProc as the window's procedure, so that a Dispose during the call waits for its end.
  bool Dispatch(TMessage& m);
  // Gives a tool bar its own button drawing back.
  void StopPaintingToolButtons(TToolBar* bar) noexcept;
  // Puts back the form's handler and the window's procedure.
  void RemoveHooks() noexcept;
  // The form's colour (whether its parent's or its own) and automatic scroll bars as they were
  // before hooking.
  void RestoreFormLook();
  // The hot button wrapper is told that the mouse left it (0xB014) and is hot no longer.
  void LeaveHotButton() noexcept;
  // Takes the wrapper at it off the list (it stops being the hot button) and returns what follows.
  std::vector<TSkinControl*>::iterator EraseWrapper(std::vector<TSkinControl*>::iterator it) noexcept;

  std::unique_ptr<TControlMessageHook> formHook_;  // FormWindowProc on the form's handler (OldWindowProc)
  std::unique_ptr<TWindowSubclass> windowHook_;    // WndProc on the window (WndProcInstance, OldWndProc)
  TFont captionFont_;                  // the platform's caption font
  bool childrenSkinned_ = false;       // 0x3503 has been handled
  int disableTag_ = 0;                 // published, not read
  std::string windowClass_;            // the window's class name
  bool savedAutoScroll_ = false;       // the form's AutoScroll before hooking
  bool frameSkinning_ = false;         // xcMainMenu was in SkinControls at hook time
  RECT hookClientRect_{};              // client rectangle at hook time
  HWND ownerWindow_ = nullptr;         // the window's owner at hook time
  RECT nativeFrame_{};                 // (0, 0, window − client width, window − client height) at hook time
  bool rightToLeft_ = false;           // WS_EX_LEFTSCROLLBAR at hook time
  bool sizeable_ = false;              // WS_THICKFRAME at hook time
  bool unicodeWindow_ = false;         // the class name contains ".UnicodeClass"
  bool isDialog_ = false;              // "#32770" or "TMessageForm"
  bool unhookOnDestroy_ = false;       // WM_NCDESTROY unhooks (set by hooking)
  HWND mdiClientWindow_ = nullptr;     // the MDI client child of an MDI frame
  TColor savedColor_ = clNone;         // the form's Color before hooking
  bool savedParentColor_ = false;      // ... and whether it followed its parent's
  DWORD savedStyle_ = 0;               // the window style at hook time
  TCustomForm* ownerForm_ = nullptr;   // the form object, or null
  HWND handle_ = nullptr;              // the adopted window
  TCanvas wrapperCanvas_;              // shared by the wrappers of this window
  TSkinData* skinData_ = nullptr;      // chosen by the manager, not owned
  std::vector<TSkinControl*> wrappers_;  // the wrappers of this window, in attaching order
  TSkinControl* hotButton_ = nullptr;    // the button wrapper drawn hot (one of wrappers_), or null
  std::vector<TToolBar*> paintedBars_;   // tool bars whose buttons this object paints
  int kind_ = kKindPlain;              // kKindPlain, kKindMDIFrame, kKindMDIChild
  int borderStyle_ = kBorderSingle;    // kBorder...
  int captionFlags_ = 0;               // kCaption... bits
  int life_ = kLifeHooked;             // kLife...
  TCallCounter calls_;                 // Dispatch calls running; Dispose waits for them
  std::vector<TMenu*> ownerDrawnMenus_;  // menus whose OwnerDraw the skin switched on
  // The program's own draw and measure handlers of a popup menu item, while the skin's stand in.
  struct TSavedMenuEvents {
    TMenuDrawItemEvent draw;
    TMenuMeasureItemEvent measure;
  };
  std::map<TMenuItem*, TSavedMenuEvents> savedMenuEvents_;  // by item, while skinned

  // The menu bar and MDI windows.
  std::unique_ptr<TSkinMenuBar> menuBar_;   // the skinned menu bar, or null
  HMENU nativeMenu_ = nullptr;              // the window's menu at hook time
  HMENU trackedSubMenu_ = nullptr;          // the drop-down opened from the bar
  std::unique_ptr<TWindowSubclass> clientHook_;  // ClientWndProc on the MDI client (OldClientProc)
  HWND pendingMDIChild_ = nullptr;          // an MDI child made, adopted at the next menu refresh
  bool savedMenuUpdate_ = true;             // the skin's MenuUpdate at hook time (MDI frames)

  // The frame.
  std::unique_ptr<TTimer> hoverTimer_;  // CheckHover every 250 ms while the window is active
  std::wstring captionPrefix_ = L"  "; // put before the window text in the caption
  std::wstring captionSuffix_ = L" ";  // put after it
  bool stylesRestored_ = false;        // the last SetFrameStyles gave the styles back
  unsigned lastMenuTick_ = 0;          // tick count when the system menu was last opened
  unsigned doubleClickTime_ = 500;     // the platform's double-click time, ms
  HICON iconHandle_ = nullptr;         // the window's icon (the window's, not owned)
  int iconSize_ = 16;                  // the platform's small-icon width
  int frameLeft_ = 0;                  // skin frame widths, pixels; frameTop_ includes the caption
  int frameTop_ = 0;
  int frameRight_ = 0;
  int frameBottom_ = 0;
  RECT windowRect_{};                  // window rectangle at the last frame paint, screen
  RECT textRect_{};                    // where the caption text was last drawn, window coordinates
  int menuHeight_ = 0;                 // height of the skinned menu bar; 0 without one
  bool trackingMenu_ = false;          // a menu bar drop-down is open
  std::unique_ptr<TPopupMenu> systemPopup_;  // the skin's system menu
  int buttonsLeftEdge_ = 0;            // left edge of the right-aligned caption buttons at the last layout
  TNCObject* hotObject_ = nullptr;     // caption button under the mouse or pressed
  bool hasRegion_ = false;             // the window has a region of ours
  GdiObject<HRGN> savedRegion_;        // a copy of the region the window had before hooking
  bool hadRegion_ = false;             // ... whether it had one
  int regionWidth_ = 0;                // window size the region was built for
  int regionHeight_ = 0;
  int regionBuilds_ = 0;               // regions built so far
  std::vector<std::unique_ptr<TSkinCaptionButton>> captionButtons_;  // one per entry of SysButtons
  TBitmap iconBitmap_;                 // the window icon at small-icon size over magenta
  TBitmap captionBitmap_;              // the caption strip as last painted
  TBitmap captionBack_;                // ... before its buttons were drawn (under a repainted button)
  int windowWidth_ = 0;                // window size at the last frame paint
  int windowHeight_ = 0;
  bool active_ = true;                 // the window is active
  int windowState_ = kStateNormal;     // kState...
  bool fitted_ = false;                // FitWindow fitted the window into the skin's frame
};

}  // namespace bus
