// TSkinForm: the skinning object of one adopted top-level window (one of our forms, a message
// box, a platform dialog). The skin manager creates it and has it hook the window; from then on
// the window's messages pass through WndProc. When the manager's message 0x3503 arrives, the
// object gives the window's controls their wrappers (the control selection) and keeps them in its
// wrapper list, with one canvas they all share. A bare window (no form object) also gets its
// background and static texts in the skin's face colour.
//
// Giving the window back: Unhook (skinning switched off), UnhookOnDestroy (WM_NCDESTROY) and
// UnhookPlain (windows without frame skinning) take every wrapper off and put back the window's
// procedure, the form's handler and the form's colour, so the window is as it was before.
//
// The frame (caption, borders, menu bar, region) is drawn by the frame painting, which takes the
// frame messages of the window procedure once it exists; until then those messages get the
// window's own processing and the frame is the platform's.
//
// Owner: the adopted form, or none for a bare window, which the manager frees once the window is
// gone. Use from the user-interface thread.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/CallCounter.h"
#include "framework/Component.h"
#include "framework/controls/Messages.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"
#include "skin/control/SkinWrapperHost.h"

namespace bus {

class TControl;
class TControlMessageHook;
class TCustomForm;
class TSkinControl;
class TSkinData;
class TToolBar;
class TToolButton;
class TWindowSubclass;

// Sent to a form window: re-skin the form.
inline constexpr UINT kSkinMsgReskin = 0x3401;

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
  // A new skin was loaded: the form's colour, every wrapper, a refocus.
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
  void WmCtlColorBtn(TMessage& m);
  void WmCtlColorStatic(TMessage& m);
  void SkinChildren(TMessage& m);
  void FrameMessage(TMessage& m);
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
  // Takes the wrapper at it off the list (it stops being the hot button) and returns what follows.
  std::vector<TSkinControl*>::iterator EraseWrapper(std::vector<TSkinControl*>::iterator it) noexcept;
  // Recomputes the frame and repaints it.
  void FrameChanged() const;

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
};

}  // namespace bus
