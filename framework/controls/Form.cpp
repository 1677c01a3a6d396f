#include "framework/controls/Form.h"

#include <algorithm>

#include "core/WideText.h"
#include "framework/DescriptionReader.h"
#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/Button.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/Icon.h"

namespace bus {

namespace {
// Command identifier of the first MDI child in the client's window menu.
constexpr UINT kFirstMDIChildCommand = 0xFF00;
const TIdentList kBorderStyles{"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"};
const TIdentList kBorderIcons{"biSystemMenu", "biMinimize", "biMaximize", "biHelp"};
const TIdentList kFormStyles{"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"};
const TIdentList kPositions{"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                            "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"};
const TIdentList kWindowStates{"wsNormal", "wsMinimized", "wsMaximized"};
}  // namespace

const TClassInfo& TCustomForm::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomForm>("TCustomForm", TWinControl::StaticClassInfo())
          .Enum("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle, kBorderStyles,
                TFormBorderStyle::bsSizeable)
          .SetOf("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons, kBorderIcons,
                 TBorderIcons{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize})
          .Enum("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle, kFormStyles, TFormStyle::fsNormal)
          .Enum("Position", &TCustomForm::Position, &TCustomForm::SetPosition, kPositions, TPosition::poDesigned)
          .Enum("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState, kWindowStates,
                TWindowState::wsNormal)
          .Bool("AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll, false)
          .Int("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
          .Int("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
          .Held<TIcon>("Icon", &TCustomForm::Icon)
          .Reference<TMainMenu>("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
          .Reference<TWinControl>("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
          .Event("OnCreate", &TCustomForm::OnCreate)
          .Event("OnDestroy", &TCustomForm::OnDestroy)
          .Event("OnShow", &TCustomForm::OnShow)
          .Event("OnHide", &TCustomForm::OnHide)
          .Event("OnClose", &TCustomForm::OnClose)
          .Event("OnCloseQuery", &TCustomForm::OnCloseQuery)
          .Event("OnActivate", &TCustomForm::OnActivate)
          .Event("OnDeactivate", &TCustomForm::OnDeactivate)
          .Build();
  return info;
}

const TClassInfo& TForm::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TForm>("TForm", TCustomForm::StaticClassInfo()).Creatable().Build();
  return info;
}

TCustomForm* GetParentForm(TControl* control) { return control ? control->ParentForm() : nullptr; }

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner), icon_(std::make_unique<TIcon>()) {
  TControl::SetVisible(false);
  captureOnPress_ = false;
  clickOnMouseUp_ = false;
  Screen().AddForm(this);
}

TCustomForm::~TCustomForm() { Screen().RemoveForm(this); }

void TCustomForm::BeforeDestruction() {
  try {
    OnDestroy(this);
  } catch (...) {
    HandleCurrentException(this);
  }
  Screen().RemoveForm(this);
  TWinControl::BeforeDestruction();
}

void TCustomForm::Build(std::string_view description) {
  ReadDescription(description, *this);
  try {
    OnCreate(this);
  } catch (...) {
    HandleCurrentException(this);
  }
  if (storedVisible_) SetVisible(true);
}

bool TCustomForm::IsMainForm() const { return Application && Application->MainForm() == this; }

void TCustomForm::SetFormStyle(TFormStyle v) {
  formStyle_ = v;
  if (HWND h = HandleIfAllocated())
    SetWindowPos(h, v == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TWindowState TCustomForm::WindowState() const {
  if (HWND h = HandleIfAllocated()) {
    if (IsIconic(h)) return TWindowState::wsMinimized;
    if (IsZoomed(h)) return TWindowState::wsMaximized;
    return TWindowState::wsNormal;
  }
  return windowState_;
}

void TCustomForm::SetWindowState(TWindowState v) {
  windowState_ = v;
  HWND h = HandleIfAllocated();
  if (!h || !Visible()) return;
  ShowWindow(h, v == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED
                : v == TWindowState::wsMinimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
}

void TCustomForm::SetIcon(const TIcon& icon) {
  icon_->Assign(icon);
  ApplyIcon();
}

void TCustomForm::ApplyIcon() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  // the form's own icon, else the program's: the one given to the application, else the one its
  // window has from the program's resources
  HICON icon = icon_->Handle();
  if (!icon && Application) icon = Application->Icon()->Handle();
  if (!icon && Application) icon = reinterpret_cast<HICON>(SendMessageW(Application->Handle(), WM_GETICON, ICON_BIG, 0));
  SendMessageW(h, WM_SETICON, ICON_BIG, LPARAM(icon));
  SendMessageW(h, WM_SETICON, ICON_SMALL, LPARAM(icon));
}

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (menu_) menu_->RemoveFreeNotification(this);
  menu_ = menu;
  if (menu_) menu_->FreeNotification(this);
  CmMenuChanged();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == menu_) {
    menu_ = nullptr;
    if (!Destroying()) CmMenuChanged();
  }
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  activeControl_ = control;
  if (control && HandleIfAllocated() && IsWindowVisible(HandleIfAllocated()) &&
      GetActiveWindow() == HandleIfAllocated() && control->CanFocus())
    control->SetFocus();
}

// --- geometry -------------------------------------------------------------------------------

RECT TCustomForm::ClientRect() const {
  if (!HandleIfAllocated() && clientSizeSet_) return {0, 0, clientSize_.cx, clientSize_.cy};
  return TWinControl::ClientRect();
}

void TCustomForm::SetClientSize(int width, int height) {
  clientSize_ = {width, height};
  clientSizeSet_ = true;
  if (HWND h = HandleIfAllocated()) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, DWORD(GetWindowLongW(h, GWL_STYLE)), GetMenu(h) != nullptr, DWORD(GetWindowLongW(h, GWL_EXSTYLE)));
    SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
  } else {
    Realign();
  }
}

POINT TCustomForm::ClientOrigin() const {
  if (HandleIfAllocated()) return TWinControl::ClientOrigin();
  return {Left(), Top()};
}

void TCustomForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  p.exStyle = 0;
  switch (borderStyle_) {
    case TFormBorderStyle::bsNone:
      p.style |= WS_POPUP;
      break;
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow:
      p.style |= WS_CAPTION | WS_BORDER;
      break;
    case TFormBorderStyle::bsDialog:
      p.style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
      p.exStyle |= WS_EX_DLGMODALFRAME;
      break;
    default:
      p.style |= WS_CAPTION | WS_THICKFRAME;
      break;
  }
  if (borderStyle_ == TFormBorderStyle::bsToolWindow || borderStyle_ == TFormBorderStyle::bsSizeToolWin)
    p.exStyle |= WS_EX_TOOLWINDOW;
  if (borderStyle_ != TFormBorderStyle::bsNone && borderIcons_.Contains(TBorderIcon::biSystemMenu)) {
    p.style |= WS_SYSMENU;
    if (borderStyle_ != TFormBorderStyle::bsDialog && borderStyle_ != TFormBorderStyle::bsToolWindow &&
        borderStyle_ != TFormBorderStyle::bsSizeToolWin) {
      if (borderIcons_.Contains(TBorderIcon::biMinimize)) p.style |= WS_MINIMIZEBOX;
      if (borderIcons_.Contains(TBorderIcon::biMaximize)) p.style |= WS_MAXIMIZEBOX;
    }
  }
  if (!Enabled()) p.style |= WS_DISABLED;
  if (formStyle_ == TFormStyle::fsStayOnTop) p.exStyle |= WS_EX_TOPMOST;
  if (formStyle_ == TFormStyle::fsMDIChild) {
    // the client gives every child a caption and a sizing frame with all three boxes
    p.style |= WS_CHILD | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    p.style &= ~WS_POPUP;
    if (Visible()) p.style |= WS_VISIBLE;
    p.exStyle |= WS_EX_MDICHILD;
  }
  if (clientSizeSet_) {
    RECT r{0, 0, clientSize_.cx, clientSize_.cy};
    AdjustWindowRectEx(&r, p.style, menu_ != nullptr, p.exStyle);
    p.width = r.right - r.left;
    p.height = r.bottom - r.top;
  }
  p.wndParent = Application ? Application->Handle() : nullptr;
  if (formStyle_ == TFormStyle::fsMDIChild) {
    TCustomForm* frame = Application ? Application->MainForm() : nullptr;
    for (int i = 0; (!frame || frame->FormStyle() != TFormStyle::fsMDIForm) && i < Screen().FormCount(); ++i)
      frame = Screen().Forms(i);
    if (!frame || frame->FormStyle() != TFormStyle::fsMDIForm || !frame->Handle() || !frame->ClientHandle())
      throw EInvalidOperation("the MDI child form " + Name() + " has no MDI form to lie in");
    p.wndParent = frame->ClientHandle();
  }
}

HWND TCustomForm::CreateWindowHandle(const TCreateParams& p) {
  if (formStyle_ != TFormStyle::fsMDIChild) return TWinControl::CreateWindowHandle(p);
  MDICREATESTRUCTW create{};
  create.szClass = p.className.c_str();
  create.szTitle = p.caption.c_str();
  create.hOwner = GetModuleHandleW(nullptr);
  create.x = p.x;
  create.y = p.y;
  create.cx = p.width;
  create.cy = p.height;
  create.style = p.style;
  return reinterpret_cast<HWND>(SendMessageW(p.wndParent, WM_MDICREATE, 0, LPARAM(&create)));
}

void TCustomForm::DestroyWindowHandle() {
  HWND h = HandleIfAllocated();
  HWND client = h && (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_MDICHILD) ? GetParent(h) : nullptr;
  if (client) SendMessageW(client, WM_MDIDESTROY, WPARAM(h), 0);
  else TWinControl::DestroyWindowHandle();
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  HWND h = HandleIfAllocated();
  UpdateBoundsFromWindow();
  ApplyIcon();
  if (menu_ && formStyle_ != TFormStyle::fsMDIChild) ::SetMenu(h, menu_->Handle());
  if (formStyle_ == TFormStyle::fsMDIForm && !clientHandle_) {
    CLIENTCREATESTRUCT create{};
    create.idFirstChild = kFirstMDIChildCommand;
    RECT client{};
    GetClientRect(h, &client);
    clientHandle_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL,
                                    0, 0, client.right, client.bottom, h, nullptr, GetModuleHandleW(nullptr), &create);
    if (!clientHandle_) throw EWin32Error("cannot create the MDI client window of " + Name());
  }
  // a new child, made whole, is listed in the client's window menu
  if (formStyle_ == TFormStyle::fsMDIChild) SendMessageW(GetParent(h), WM_MDIREFRESHMENU, 0, 0);
}

// The frame's and the children's own processing is the platform's MDI processing.
void TCustomForm::DefaultHandler(TMessage& m) {
  HWND h = HandleIfAllocated();
  if (!h || (m.Msg >= CM_BASE && m.Msg < 0xC000)) return TWinControl::DefaultHandler(m);
  if (formStyle_ == TFormStyle::fsMDIForm && clientHandle_) {
    m.Result = DefFrameProcW(h, clientHandle_, m.Msg, m.WParam, m.LParam);
    return;
  }
  if (formStyle_ == TFormStyle::fsMDIChild && (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
    m.Result = DefMDIChildProcW(h, m.Msg, m.WParam, m.LParam);
    return;
  }
  TWinControl::DefaultHandler(m);
}

std::vector<HWND> TCustomForm::MDIChildWindows() const {
  std::vector<HWND> children;
  if (!clientHandle_) return children;
  for (HWND child = GetWindow(clientHandle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_MDICHILD) children.push_back(child);
  }
  return children;
}

int TCustomForm::MDIChildCount() const { return int(MDIChildWindows().size()); }

TCustomForm* TCustomForm::MDIChildren(int index) const {
  const std::vector<HWND> children = MDIChildWindows();
  if (index < 0 || index >= int(children.size())) return nullptr;
  return Screen().FindForm(children[size_t(index)]);
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
  if (!clientHandle_) return nullptr;
  return Screen().FindForm(reinterpret_cast<HWND>(SendMessageW(clientHandle_, WM_MDIGETACTIVE, 0, 0)));
}

void TCustomForm::Cascade() {
  if (clientHandle_) SendMessageW(clientHandle_, WM_MDICASCADE, 0, 0);
}

void TCustomForm::Tile() {
  if (clientHandle_) SendMessageW(clientHandle_, WM_MDITILE, MDITILE_VERTICAL, 0);
}

// --- showing and closing --------------------------------------------------------------------

void TCustomForm::SetVisible(bool visible) {
  if (Loading()) {
    storedVisible_ = visible;
    return;
  }
  if (visible == Visible()) return;
  if (visible) {
    try {
      OnShow(this);
    } catch (...) {
      HandleCurrentException(this);
    }
    if (Visible()) return;  // OnShow showed it already
  }
  TControl::SetVisible(visible);  // CM_VISIBLECHANGED does the showing or hiding
  if (!visible) OnHide(this);
}

void TCustomForm::ShowNow() {
  HWND h = Handle();
  if (!shownOnce_) {
    shownOnce_ = true;
    if (position_ == TPosition::poScreenCenter || position_ == TPosition::poDesktopCenter ||
        (position_ == TPosition::poMainFormCenter && IsMainForm())) {
      RECT work{};
      SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
      if (position_ == TPosition::poScreenCenter) work = {0, 0, Screen().Width(), Screen().Height()};
      SetBounds(work.left + (work.right - work.left - Width()) / 2, work.top + (work.bottom - work.top - Height()) / 2,
                Width(), Height());
    }
    if (IsMainForm() && !IsWindowVisible(Application->Handle())) ShowWindow(Application->Handle(), SW_SHOWNOACTIVATE);
    ShowWindow(h, windowState_ == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED
                  : windowState_ == TWindowState::wsMinimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
  } else {
    ShowWindow(h, SW_SHOW);
  }
}

void TCustomForm::Close() {
  bool canClose = true;
  OnCloseQuery(this, canClose);
  if (!canClose) return;
  TCloseAction action = formStyle_ == TFormStyle::fsMDIChild ? TCloseAction::caMinimize : TCloseAction::caHide;
  OnClose(this, action);
  if (action == TCloseAction::caNone) return;
  if (IsMainForm()) {
    Application->Terminate();
    return;
  }
  switch (action) {
    case TCloseAction::caHide:
      Hide();
      break;
    case TCloseAction::caMinimize:
      if (HWND h = HandleIfAllocated()) ShowWindow(h, SW_MINIMIZE);
      break;
    case TCloseAction::caFree:
      Release();
      break;
    default:
      break;
  }
}

void TCustomForm::Release() {
  if (HWND h = HandleIfAllocated()) PostMessageW(h, CM_RELEASE, 0, 0);
  else Free();
}

// --- focus ----------------------------------------------------------------------------------

void TCustomForm::FocusChanged(TWinControl* control) {
  activeControl_ = control;
  Screen().SetActiveForm(this);
  Screen().SetActiveControl(control);
  if (control == focusedControl_) return;
  TWinControl* old = focusedControl_;
  focusedControl_ = control;
  if (old) old->Perform(CM_EXIT);
  if (focusedControl_ == control) control->Perform(CM_ENTER);
  Perform(CM_FOCUSCHANGED, 0, LPARAM(control));
}

void TCustomForm::FocusActiveControl() {
  if (activeControl_ && activeControl_ != this && activeControl_->CanFocus()) {
    ::SetFocus(activeControl_->Handle());
    return;
  }
  SelectFirst();
}

void TCustomForm::ControlGoing(TControl* control) noexcept {
  if (activeControl_ == control) activeControl_ = nullptr;
  if (focusedControl_ == control) focusedControl_ = nullptr;
}

bool TCustomForm::DialogKey(unsigned short key, TShiftState shift) {
  TWinControl* current = activeControl_;
  switch (key) {
    case VK_TAB:
      if (shift.Contains(TShiftStateFlag::ssCtrl) || shift.Contains(TShiftStateFlag::ssAlt)) return false;
      SelectNext(current, !shift.Contains(TShiftStateFlag::ssShift), true);
      return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      if (current && current->Parent()) {
        current->Parent()->SelectNext(current, key == VK_RIGHT || key == VK_DOWN, false);
        return true;
      }
      return false;
    case VK_RETURN:
    case VK_ESCAPE: {
      std::vector<TWinControl*> all;
      GetTabOrderList(all);
      for (TWinControl* c : all) {
        auto* b = dynamic_cast<TButton*>(c);
        if (b && c->CanFocus() && (key == VK_RETURN ? b->Default() : b->Cancel())) {
          b->Click();
          return true;
        }
      }
      return false;
    }
    default:
      return false;
  }
}

// --- messages -------------------------------------------------------------------------------

void TCustomForm::CmVisibleChanged(TMessage& m) {
  if (m.WParam) ShowNow();
  else if (HWND h = HandleIfAllocated()) ShowWindow(h, SW_HIDE);
}

void TCustomForm::CmMenuChanged() {
  if (HWND h = HandleIfAllocated()) {
    ::SetMenu(h, menu_ ? menu_->Handle() : nullptr);
    DrawMenuBar(h);
  }
}

// Minimising the main form minimises the whole program through the application window.
void TCustomForm::WmSysCommand(TMessage& m) {
  if ((m.WParam & 0xFFF0) == SC_MINIMIZE && IsMainForm()) return Application->Minimize();
  TWinControl::WndProc(m);
}

void TCustomForm::WmSetFocus(TMessage& m) {
  TWinControl::WndProc(m);
  if (HandleIfAllocated()) FocusActiveControl();
}

// Activation: the first one focuses the first tab stop, later ones the active control.
void TCustomForm::WmActivate(TMessage& m) {
  TWinControl::WndProc(m);
  if (LOWORD(m.WParam) == WA_INACTIVE) return OnDeactivate(this);
  Screen().SetActiveForm(this);
  if (!HIWORD(m.WParam)) FocusActiveControl();
  OnActivate(this);
}

// Owner-drawn items of the form's menu bar.
void TCustomForm::WmMenuOwnerDraw(TMessage& m) {
  if (!TMenuItem::HandleOwnerDraw(m)) TWinControl::WndProc(m);
}

// Commands of the form's menu bar click their items; control notifications are reflected.
void TCustomForm::WmCommand(TMessage& m) {
  if (m.LParam == 0 && HIWORD(m.WParam) == 0 && TMenuItem::DispatchCommand(LOWORD(m.WParam))) return;
  TWinControl::WndProc(m);
}

void TCustomForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_VISIBLECHANGED:
      return CmVisibleChanged(m);
    case CM_RELEASE:
      return Free();
    case WM_NCDESTROY:
      clientHandle_ = nullptr;  // gone with the frame
      return TWinControl::WndProc(m);
    case CM_DIALOGKEY:
      m.Result = DialogKey(static_cast<unsigned short>(m.WParam), KeyboardShiftState()) ? 1 : 0;
      return;
    case CM_MENUCHANGED:
      return CmMenuChanged();
    case WM_CLOSE:
      return Close();
    case WM_SYSCOMMAND:
      return WmSysCommand(m);
    case WM_SETFOCUS:
      return WmSetFocus(m);
    case WM_ACTIVATE:
      return WmActivate(m);
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      return WmMenuOwnerDraw(m);
    case WM_COMMAND:
      return WmCommand(m);
    default:
      return TWinControl::WndProc(m);
  }
}

}  // namespace bus
