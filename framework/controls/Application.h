// The application object: the hidden zero-size window of class "TApplication" that owns the
// taskbar button and every form, the title, the main form, the message loop with its keyboard
// pre-processing and idle mouse tracking, and the general error report.
//
// One per process, reachable as Application. Forms are owned by it (and freed with it).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <memory>
#include <vector>

#include "framework/Component.h"
#include "framework/controls/Messages.h"

namespace bus {

class TControl;
class TCustomForm;
class TIcon;

class TApplication : public TComponent {
  BUS_CLASS(TApplication)
public:
  explicit TApplication(TComponent* owner = nullptr);
  ~TApplication() override;

  // Initialises the common controls. (Threads join the component object services on first need:
  // JoinComApartment.)
  void Initialize();
  // The application window (created with the object).
  HWND Handle() const noexcept { return handle_; }
  const std::string& Title() const noexcept { return title_; }
  // Also the application window's text (what the taskbar button shows).
  void SetTitle(const std::string& title);
  // The program icon, on the application window and on forms without their own.
  TIcon* Icon() const noexcept { return icon_.get(); }
  void SetIcon(const TIcon& icon);

  TCustomForm* MainForm() const noexcept { return mainForm_; }
  bool ShowMainForm() const noexcept { return showMainForm_; }
  void SetShowMainForm(bool v) noexcept { showMainForm_ = v; }

  // Creates a form of class F owned by the application (the first becomes MainForm) and builds
  // it from description: components, Loaded, OnCreate, then shown when stored visible.
  template <class F>
  F* CreateForm(std::string_view description) {
    F* form = new F(this);
    if (!mainForm_) mainForm_ = form;
    BuildForm(*form, description);
    return form;
  }

  // Runs the message loop until Terminate: shows the main form first (ShowMainForm).
  void Run();
  // Handles every pending message, then returns.
  void ProcessMessages();
  // Waits for one message (idle work first) and handles it.
  void HandleMessage();
  // Ends the message loop (posts the quit message).
  void Terminate();
  bool Terminated() const noexcept { return terminated_; }

  // The general error report for the exception being handled (call inside a catch): OnException
  // when assigned, else a message box with the error's text. The program goes on.
  void HandleException(TObject* sender);
  void ShowException(const std::string& message);
  // A message box owned by the active window (else the application window), with the other
  // windows of the task disabled while it shows. Returns the button's ID.
  int MessageBox(const std::string& text, const std::string& caption, UINT flags = MB_OK);

  // Minimising and restoring the whole program through the application window.
  void Minimize();
  void Restore();

  // The control under the mouse, as last told with CM_MOUSEENTER.
  TControl* MouseControl() const noexcept { return mouseControl_; }
  // Compares the control under the cursor with the last one: CM_MOUSELEAVE to the old one, then
  // CM_MOUSEENTER to the new one (windowed or window-less). Runs after mouse messages and at idle.
  void CheckMouseControl();
  // The same for the control at a screen point, wherever the cursor is.
  void CheckMouseControl(POINT screenPoint);

  // (Sender, message): replaces the message box of the error report.
  TEvent<TObject*, const std::string&> OnException;
  TNotifyEvent OnIdle;

  // Used by the form and control classes.
  void ControlGoing(TControl* control) noexcept;

private:
  static LRESULT CALLBACK AppWindowProc(HWND, UINT, WPARAM, LPARAM);
  void AppWndProc(TMessage& m);
  void BuildForm(TCustomForm& form, std::string_view description);
  bool ProcessMessage(MSG& msg);
  bool IsDialogKeyMessage(const MSG& msg);
  void Idle();
  void TrackLeave(HWND window, POINT screenPoint);
  void MouseControlIs(TControl* target);

  HWND handle_ = nullptr;              // the application window
  std::string title_;                  // taskbar text
  std::unique_ptr<TIcon> icon_;        // program icon
  TCustomForm* mainForm_ = nullptr;    // first form created
  bool showMainForm_ = true;           // Run shows the main form
  bool terminated_ = false;            // the quit message arrived
  TControl* mouseControl_ = nullptr;   // control under the mouse at the last check
  HWND trackedWindow_ = nullptr;       // window asked for a leave message
  bool trackedOnFrame_ = false;        // ... when the pointer leaves its frame, not its client area
  std::vector<HWND> minimizedForms_;   // forms hidden by Minimize, shown by Restore
};

// The application object, or null before one exists.
extern TApplication* Application;

// Reports the exception being handled (call inside a catch) through the application's error report;
// without an application object the exception is dropped. Never throws.
void HandleCurrentException(TObject* sender) noexcept;
// Tells the layer that a control goes (mouse tracking, focus bookkeeping).
void ControlGoing(TControl* control) noexcept;

}  // namespace bus
