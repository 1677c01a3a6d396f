#include "framework/controls/Application.h"

#include <objbase.h>
#include <commctrl.h>

#include <algorithm>

#include "core/ScopeExit.h"
#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/ControlCanvas.h"
#include "framework/controls/Form.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/Icon.h"

namespace bus {

TApplication* Application = nullptr;

namespace {
const wchar_t kAppClass[] = L"TApplication";
constexpr UINT kActivateMainForm = CM_BASE + 0x30;  // posted to the application window

std::string CurrentExceptionText() {
  try {
    throw;
  } catch (const Exception& e) {
    return e.Message();
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "unknown error";
  }
}
}  // namespace

void HandleCurrentException(TObject* sender) noexcept {
  try {
    if (Application) Application->HandleException(sender);
  } catch (...) {
    // the report itself failed (out of memory, a failing OnException): nothing more can be done
  }
}

void ControlGoing(TControl* control) noexcept {
  if (Application) Application->ControlGoing(control);
  Screen().ControlGoing(control);
}

const TClassInfo& TApplication::StaticClassInfo() {
  static const TClassInfo info{"TApplication", &TComponent::StaticClassInfo(), {}, {}};
  return info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner), icon_(std::make_unique<TIcon>()) {
  if (!Application) Application = this;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = AppWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kAppClass;
  wc.hIcon = LoadIconW(wc.hInstance, L"MAINICON");
  RegisterClassExW(&wc);
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
  handle_ = CreateWindowExW(0, kAppClass, L"", WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            x, y, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
  if (HICON icon = wc.hIcon) {
    SendMessageW(handle_, WM_SETICON, ICON_BIG, LPARAM(icon));
    SendMessageW(handle_, WM_SETICON, ICON_SMALL, LPARAM(icon));
  }
}

TApplication::~TApplication() {
  // forms are owned windows of ours: free them while the application window still exists
  while (ComponentCount() > 0) Components(ComponentCount() - 1)->Free();
  TControlCanvas::FreeDeviceContexts();
  if (handle_) DestroyWindow(handle_);
  if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  SetWindowTextW(handle_, Widen(title).c_str());
}

void TApplication::SetIcon(const TIcon& icon) {
  icon_->Assign(icon);
  SendMessageW(handle_, WM_SETICON, ICON_BIG, LPARAM(icon_->Handle()));
  SendMessageW(handle_, WM_SETICON, ICON_SMALL, LPARAM(icon_->Handle()));
}

void TApplication::BuildForm(TCustomForm& form, std::string_view description) {
  ScopeFailure dropForm([&] {
    if (mainForm_ == &form) mainForm_ = nullptr;
    form.Free();
  });
  form.Build(description);
}

void TApplication::ControlGoing(TControl* control) noexcept {
  if (mouseControl_ == control) mouseControl_ = nullptr;
  if (mainForm_ == control) mainForm_ = nullptr;
}

// --- message loop ---------------------------------------------------------------------------

void TApplication::Run() {
  if (showMainForm_ && mainForm_ && !mainForm_->Visible()) {
    try {
      mainForm_->Show();
    } catch (...) {
      HandleCurrentException(mainForm_);
    }
  }
  while (!terminated_) HandleMessage();
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!ProcessMessage(msg)) break;
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ProcessMessage(msg);
    return;
  }
  Idle();
  if (!terminated_) WaitMessage();
}

// Handles one message; false when it was the quit message.
bool TApplication::ProcessMessage(MSG& msg) {
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return false;
  }
  if (!IsDialogKeyMessage(msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  const bool left = msg.message == WM_MOUSELEAVE || msg.message == WM_NCMOUSELEAVE;
  if (left) trackedWindow_ = nullptr;  // the platform's tracking has ended
  if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) || left || msg.message == WM_NCMOUSEMOVE)
    CheckMouseControl();
  TControlCanvas::FreeDeviceContexts();
  return true;
}

void TApplication::Idle() {
  CheckMouseControl();
  TControlCanvas::FreeDeviceContexts();
  try {
    OnIdle(this);
  } catch (...) {
    HandleCurrentException(this);
  }
}

// Tab, arrows, Enter and Escape that the focused control does not ask for (WM_GETDLGCODE) go to
// its form. No IsDialogMessage: everything else, Enter included, reaches the control.
bool TApplication::IsDialogKeyMessage(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  const WPARAM key = msg.wParam;
  if (key != VK_TAB && key != VK_LEFT && key != VK_RIGHT && key != VK_UP && key != VK_DOWN && key != VK_RETURN &&
      key != VK_ESCAPE)
    return false;
  TWinControl* control = nullptr;
  for (HWND w = msg.hwnd; w && !control; w = GetAncestor(w, GA_PARENT)) control = FindControl(w);
  if (!control) return false;
  TCustomForm* form = control->ParentForm();
  if (!form || form == control) return false;
  const LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, key, LPARAM(&msg));
  if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  if (key == VK_TAB && (code & DLGC_WANTTAB)) return false;
  if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE && (code & DLGC_WANTARROWS)) return false;
  try {
    return form->Perform(CM_DIALOGKEY, key) != 0;
  } catch (...) {
    HandleCurrentException(form);
    return true;
  }
}

void TApplication::CheckMouseControl() {
  POINT p{};
  if (GetCursorPos(&p)) CheckMouseControl(p);
  else MouseControlIs(nullptr);
}

// The topmost control at a screen point: a window-less child of the framework window there, else
// that window; null over windows that are not ours.
void TApplication::CheckMouseControl(POINT screenPoint) {
  TWinControl* window = nullptr;
  for (HWND w = WindowFromPoint(screenPoint); w && !window; w = GetAncestor(w, GA_PARENT)) window = FindControl(w);
  TControl* target = nullptr;
  if (window && window->HandleAllocated()) {
    POINT c = screenPoint;
    ScreenToClient(window->Handle(), &c);
    TControl* child = window->ControlAtPos(c);
    target = child ? child : window;
  }
  TrackLeave(window ? window->HandleIfAllocated() : nullptr, screenPoint);
  MouseControlIs(target);
}

// Asks the platform for a leave message when the pointer leaves window, so leaving the program is
// noticed too. The platform watches either the client area or the frame (scroll bars, borders):
// the part the pointer is in now. (Watching the client area while the pointer is on the frame would
// bring a leave at once, and the next check would ask again, for ever.)
void TApplication::TrackLeave(HWND window, POINT screenPoint) {
  bool onFrame = false;
  if (window) {
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    onFrame = !PtInRect(&client, screenPoint);
  }
  if (window == trackedWindow_ && onFrame == trackedOnFrame_) return;
  trackedWindow_ = window;
  trackedOnFrame_ = onFrame;
  if (!window) return;
  TRACKMOUSEEVENT tme{sizeof tme, DWORD(TME_LEAVE | (onFrame ? TME_NONCLIENT : 0)), window, 0};
  TrackMouseEvent(&tme);
}

// CM_MOUSELEAVE to the control that had the mouse, then CM_MOUSEENTER to the new one (unless a
// leave handler already moved on).
void TApplication::MouseControlIs(TControl* target) {
  if (target == mouseControl_) return;
  TControl* old = mouseControl_;
  mouseControl_ = target;
  try {
    if (old) old->Perform(CM_MOUSELEAVE);
    if (target && mouseControl_ == target) target->Perform(CM_MOUSEENTER);
  } catch (...) {
    HandleCurrentException(target ? static_cast<TObject*>(target) : old);
  }
}

void TApplication::Terminate() { PostQuitMessage(0); }

// --- error report and message boxes ---------------------------------------------------------

void TApplication::HandleException(TObject* sender) {
  const std::string text = CurrentExceptionText();
  if (OnException) {
    OnException(sender, text);
    return;
  }
  ShowException(text);
}

void TApplication::ShowException(const std::string& message) {
  MessageBox(message, title_, MB_OK | MB_ICONSTOP);
}

namespace {
struct DisabledWindows {
  HWND keep;
  std::vector<HWND> windows;
};
}  // namespace

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  HWND owner = GetActiveWindow();
  if (!owner) owner = handle_;
  DisabledWindows disabled{owner, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM lp) -> BOOL {
        auto* d = reinterpret_cast<DisabledWindows*>(lp);
        if (w != d->keep && IsWindowVisible(w) && IsWindowEnabled(w)) {
          d->windows.push_back(w);
          EnableWindow(w, FALSE);
        }
        return TRUE;
      },
      LPARAM(&disabled));
  const int result = ::MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), flags);
  for (HWND w : disabled.windows)
    if (IsWindow(w)) EnableWindow(w, TRUE);
  return result;
}

// --- the application window -----------------------------------------------------------------

void TApplication::Minimize() {
  minimizedForms_.clear();
  for (int i = 0; i < Screen().FormCount(); ++i) {
    HWND h = Screen().Forms(i)->HandleIfAllocated();
    if (h && IsWindowVisible(h)) {
      minimizedForms_.push_back(h);
      ShowWindow(h, SW_HIDE);
    }
  }
  ShowWindow(handle_, SW_MINIMIZE);
}

void TApplication::Restore() {
  ShowWindow(handle_, SW_RESTORE);
  for (HWND h : minimizedForms_)
    if (IsWindow(h)) ShowWindow(h, SW_SHOW);
  minimizedForms_.clear();
  PostMessageW(handle_, kActivateMainForm, 0, 0);
}

LRESULT CALLBACK TApplication::AppWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!Application || Application->handle_ != hwnd) return DefWindowProcW(hwnd, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  try {
    Application->AppWndProc(m);
  } catch (...) {
    HandleCurrentException(Application);
  }
  return m.Result;
}

void TApplication::AppWndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      if (mainForm_) mainForm_->Close();
      return;
    case WM_SYSCOMMAND:
      switch (m.WParam & 0xFFF0) {
        case SC_MINIMIZE:
          Minimize();
          return;
        case SC_RESTORE:
          if (IsIconic(handle_)) {
            Restore();
            return;
          }
          break;
        case SC_CLOSE:
          if (mainForm_) mainForm_->Close();
          return;
        default:
          break;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(m.WParam) != WA_INACTIVE && !HIWORD(m.WParam)) PostMessageW(handle_, kActivateMainForm, 0, 0);
      break;
    case kActivateMainForm:
      if (mainForm_ && mainForm_->HandleAllocated() && IsWindowVisible(mainForm_->HandleIfAllocated()) &&
          IsWindowEnabled(mainForm_->HandleIfAllocated()))
        SetForegroundWindow(mainForm_->HandleIfAllocated());
      return;
    case WM_QUERYENDSESSION:
      m.Result = 1;
      return;
    default:
      break;
  }
  m.Result = DefWindowProcW(handle_, m.Msg, m.WParam, m.LParam);
}

}  // namespace bus
