// Forms: top-level windows owned by the application window, built from a form description.
//
// Life of a form built by TApplication::CreateForm: its components are read (csLoading), Loaded
// runs on each, then OnCreate; when the description stores Visible = True the form is shown, which
// runs OnShow before the window appears. An exception escaping OnCreate or OnShow is reported and
// creation or showing goes on. OnShow runs on every hidden-to-visible change, never otherwise.
//
// Closing (the close button, the system menu, Close()): OnCloseQuery, OnClose with the action
// (caHide by default), then the action: caNone does nothing; for the main form any other action
// ends the application; otherwise hide, minimise or free.
//
// Multiple documents: a form with FormStyle fsMDIForm makes an MDI client window that fills its
// client area and holds the child forms; a form with fsMDIChild is made inside the client of the
// program's MDI form (the main form when it is one, else the first such form), asked of the client
// with WM_MDICREATE, after which the client is told to refresh its window menu; the client destroys
// it too (WM_MDIDESTROY), so that it keeps its active child and window menu right. A child closed by
// the user is minimised unless OnClose says otherwise. The style counts only when the window is made.
//
// Not built yet (published and stored, it changes nothing): AutoScroll (forms never scroll).
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "framework/controls/WinControl.h"

namespace bus {

class TIcon;
class TMainMenu;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
                       poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

// (Sender, Action)
using TCloseEvent = TEvent<TObject*, TCloseAction&>;
// (Sender, CanClose)
using TCloseQueryEvent = TEvent<TObject*, bool&>;

class TCustomForm : public TWinControl {
  BUS_CLASS(TCustomForm)
public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  // Builds the form from a description (see above). Throws EDescriptionError for a description
  // that cannot be read.
  void Build(std::string_view description);

  TFormBorderStyle BorderStyle() const noexcept { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle v) noexcept { borderStyle_ = v; }
  TBorderIcons BorderIcons() const noexcept { return borderIcons_; }
  void SetBorderIcons(TBorderIcons v) noexcept { borderIcons_ = v; }
  TFormStyle FormStyle() const noexcept { return formStyle_; }
  void SetFormStyle(TFormStyle v);
  TPosition Position() const noexcept { return position_; }
  void SetPosition(TPosition v) noexcept { position_ = v; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState v);
  bool AutoScroll() const noexcept { return autoScroll_; }
  void SetAutoScroll(bool v) noexcept { autoScroll_ = v; }
  // The window icon (WM_SETICON); empty: the application's.
  TIcon* Icon() const noexcept { return icon_.get(); }
  void SetIcon(const TIcon& icon);
  TMainMenu* Menu() const noexcept { return menu_; }
  void SetMenu(TMainMenu* menu);

  // fsMDIForm: the MDI client window (made with the form's window); null for other forms.
  HWND ClientHandle() const noexcept { return clientHandle_; }
  // fsMDIForm: the child forms in the client's order, the active one (or null), and their
  // arrangements.
  int MDIChildCount() const;
  TCustomForm* MDIChildren(int index) const;
  TCustomForm* ActiveMDIChild() const;
  void Cascade();
  void Tile();

  // The control that has (or, while the form is inactive, will get) the focus.
  TWinControl* ActiveControl() const noexcept { return activeControl_; }
  void SetActiveControl(TWinControl* control);

  // Shows (OnShow first, on a hidden form only) or hides the window.
  void SetVisible(bool visible) override;
  void Close();
  // Frees the form once the messages being handled are done (posts CM_RELEASE).
  void Release();

  RECT ClientRect() const override;
  void SetClientSize(int width, int height) override;
  POINT ClientOrigin() const override;

  // Focus bookkeeping: the old control gets CM_EXIT (OnExit), then the new one CM_ENTER (OnEnter).
  void FocusChanged(TWinControl* control);
  // Tab, arrows, Enter and Escape that the focused control does not want; true when used.
  bool DialogKey(unsigned short key, TShiftState shift);
  void ControlGoing(TControl* control) noexcept;

  TNotifyEvent OnCreate;          // published
  TNotifyEvent OnDestroy;         // published
  TNotifyEvent OnShow;            // published
  TNotifyEvent OnHide;            // published
  TCloseEvent OnClose;            // published
  TCloseQueryEvent OnCloseQuery;  // published
  TNotifyEvent OnActivate;        // published
  TNotifyEvent OnDeactivate;      // published

protected:
  void CreateParams(TCreateParams& params) override;
  HWND CreateWindowHandle(const TCreateParams& params) override;
  void DestroyWindowHandle() override;
  void CreateWnd() override;
  void DefaultHandler(TMessage& message) override;
  void WndProc(TMessage& message) override;
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  // Message handlers of WndProc.
  void CmVisibleChanged(TMessage& m);
  void CmMenuChanged();
  void WmSysCommand(TMessage& m);
  void WmSetFocus(TMessage& m);
  void WmActivate(TMessage& m);
  void WmMenuOwnerDraw(TMessage& m);
  void WmCommand(TMessage& m);
  void ShowNow();
  void ApplyIcon();
  void FocusActiveControl();
  bool IsMainForm() const;
  // The MDI children's windows, in the client's order.
  std::vector<HWND> MDIChildWindows() const;

  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;  // frame kind
  TBorderIcons borderIcons_{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize};
  TFormStyle formStyle_ = TFormStyle::fsNormal;  // stay-on-top or normal
  TPosition position_ = TPosition::poDesigned;   // where it first appears
  TWindowState windowState_ = TWindowState::wsNormal;  // state for the first show
  bool autoScroll_ = false;                      // stored; forms never scroll
  std::unique_ptr<TIcon> icon_;                  // window icon
  TMainMenu* menu_ = nullptr;                    // menu bar, if any
  HWND clientHandle_ = nullptr;                  // fsMDIForm: the MDI client window
  TWinControl* activeControl_ = nullptr;         // focus target
  TWinControl* focusedControl_ = nullptr;        // control that last got WM_SETFOCUS
  SIZE clientSize_{0, 0};                        // designed client size until the window exists
  bool clientSizeSet_ = false;                   // ClientWidth/ClientHeight were given
  bool shownOnce_ = false;                       // the window has been shown
  bool storedVisible_ = false;                   // Visible read from the description
};

class TForm : public TCustomForm {
  BUS_CLASS(TForm)
public:
  explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};

// The form that control lies on, or null.
TCustomForm* GetParentForm(TControl* control);

}  // namespace bus
