#include "framework/controls/WinControl.h"

#include <windowsx.h>

#include <algorithm>
#include <cassert>
#include <map>

#include "core/ScopeExit.h"
#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/GdiHandles.h"

namespace bus {

namespace {

const wchar_t kControlProp[] = L"BusSearch.Control";  // window property naming the object
thread_local TWinControl* t_creating = nullptr;        // object whose window is being created

// Registers the window class once; returns the class's default procedure.
WNDPROC RegisterWindowClass(const TCreateParams& p) {
  static std::map<std::wstring, WNDPROC> registered;  // class name -> default procedure
  if (auto it = registered.find(p.className); it != registered.end()) return it->second;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  WNDPROC def = DefWindowProcW;
  if (!p.sysClassName.empty()) {
    if (!GetClassInfoExW(nullptr, p.sysClassName.c_str(), &wc))
      throw EWin32Error("the system window class " + Narrow(p.sysClassName) + " is not available");
    def = wc.lpfnWndProc;
    wc.cbSize = sizeof wc;
    wc.style &= ~CS_GLOBALCLASS;
  } else {
    wc.style = p.classStyle;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  }
  wc.lpfnWndProc = FrameworkWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = p.className.c_str();
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw EWin32Error("cannot register the window class " + Narrow(p.className));
  registered[p.className] = def;
  return def;
}

}  // namespace

// The window procedure of every framework window: finds the object through the window property
// (bound at the first message of a window being created) and hands the message to WindowProc.
// No exception leaves it: they go to the application's error report.
LRESULT CALLBACK FrameworkWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* control = static_cast<TWinControl*>(GetPropW(hwnd, kControlProp));
  if (!control) {
    control = t_creating;
    if (!control) return DefWindowProcW(hwnd, msg, wParam, lParam);
    t_creating = nullptr;
    control->handle_ = hwnd;
    SetPropW(hwnd, kControlProp, control);
  }
  TMessage m{msg, wParam, lParam, 0};
  try {
    TWndMethod handler = control->WindowProc();
    handler(m);
  } catch (...) {
    HandleCurrentException(control);
  }
  if (msg == WM_NCDESTROY) {
    RemovePropW(hwnd, kControlProp);
    if (control->handle_ == hwnd) control->handle_ = nullptr;
  }
  return m.Result;
}

TWinControl* FindControl(HWND window) noexcept {
  return window ? static_cast<TWinControl*>(GetPropW(window, kControlProp)) : nullptr;
}

const TClassInfo& TWinControl::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TWinControl>("TWinControl", TControl::StaticClassInfo())
                                     .Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, -1)
                                     .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false)
                                     .Bool("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D, true)
                                     .Bool("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D, true)
                                     .Bool("DoubleBuffered", &TWinControl::DoubleBuffered,
                                           &TWinControl::SetDoubleBuffered, false)
                                     .Event("OnEnter", &TWinControl::OnEnter)
                                     .Event("OnExit", &TWinControl::OnExit)
                                     .Event("OnKeyDown", &TWinControl::OnKeyDown)
                                     .Event("OnKeyPress", &TWinControl::OnKeyPress)
                                     .Event("OnKeyUp", &TWinControl::OnKeyUp)
                                     .Build();
  return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  DestroyHandle();
  for (TControl* c : controls_) c->parent_ = nullptr;
  controls_.clear();
  if (brush_) DeleteObject(brush_);
}

void TWinControl::BeforeDestruction() {
  DestroyHandle();
  FreeChildren();
  TControl::BeforeDestruction();
}

void TWinControl::FreeChildren() {
  while (!controls_.empty()) {
    TControl* c = controls_.back();
    c->Free();  // leaves controls_ through RemoveControl
    if (!controls_.empty() && controls_.back() == c) controls_.pop_back();
  }
}

void TWinControl::Loaded() {
  TControl::Loaded();
  FixupTabList();
  if (parent_ && parent_->HandleAllocated()) CreateHandle();
  Realign();
}

// --- window ---------------------------------------------------------------------------------

HWND TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

void TWinControl::SetParentWindow(HWND window) {
  if (window == parentWindow_) return;
  parentWindow_ = window;
  if (handle_ && !parent_) ::SetParent(handle_, window);
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.caption = Widen(text_);
  p.style = WS_CHILD | WS_CLIPSIBLINGS;
  if (ownClass_) p.style |= WS_CLIPCHILDREN;
  if (Visible()) p.style |= WS_VISIBLE;
  if (!Enabled()) p.style |= WS_DISABLED;
  if (tabStop_) p.style |= WS_TABSTOP;
  p.x = Left();
  p.y = Top();
  p.width = Width();
  p.height = Height();
  p.wndParent = parent_ ? parent_->Handle() : parentWindow_;
  p.className = Widen(ClassName());
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  if (parent_) parent_->HandleNeeded();
  if (handle_) return;  // the parent's creation made ours
  TCreateParams p;
  CreateParams(p);
  if ((p.style & WS_CHILD) && !p.wndParent)
    throw EInvalidOperation("control " + (Name().empty() ? ClassName() : Name()) + " has no parent window");
  ownClass_ = p.sysClassName.empty();
  defWndProc_ = RegisterWindowClass(p);
  TWinControl* const outer = t_creating;
  t_creating = this;
  HWND h = nullptr;
  {
    const ScopeExit creatingDone([outer] { t_creating = outer; });
    h = CreateWindowHandle(p);
  }
  if (!h) throw EWin32Error("cannot create the window of " + (Name().empty() ? ClassName() : Name()));
  handle_ = h;
  CreateWnd();
}

HWND TWinControl::CreateWindowHandle(const TCreateParams& p) {
  return CreateWindowExW(p.exStyle, p.className.c_str(), p.caption.c_str(), p.style, p.x, p.y, p.width, p.height,
                         p.wndParent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void TWinControl::CreateWnd() {
  SendMessageW(handle_, WM_SETFONT, WPARAM(Font()->Handle()), 0);
  PlaceInZOrder();
  for (TControl* c : std::vector<TControl*>(controls_))
    if (auto* w = dynamic_cast<TWinControl*>(c); w && !w->Loading()) w->CreateHandle();
  if (!Loading()) Realign();
}

// Later in the list lies higher: a new window goes just below the lowest of its later siblings
// that have a window, or, when none has, above all of its siblings (the platform itself puts a new
// child at the bottom).
void TWinControl::PlaceInZOrder() {
  if (!parent_) return;
  constexpr UINT kFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  auto& list = parent_->controls_;
  auto it = std::find(list.begin(), list.end(), this);
  for (++it; it != list.end(); ++it) {
    auto* w = dynamic_cast<TWinControl*>(*it);
    if (w && w->handle_) {
      SetWindowPos(handle_, w->handle_, 0, 0, 0, 0, kFlags);
      return;
    }
  }
  SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, kFlags);
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  DestroyHandle();
  CreateHandle();
}

void TWinControl::DestroyHandle() {
  if (handle_) DestroyWindowHandle();  // WM_NCDESTROY clears handle_ (and the children's)
  handle_ = nullptr;
}

void TWinControl::DestroyWindowHandle() { DestroyWindow(handle_); }

std::string TWinControl::GetText() const {
  if (!handle_) return text_;
  const int length = GetWindowTextLengthW(handle_);
  std::wstring w(size_t(length) + 1, L'\0');
  w.resize(size_t(GetWindowTextW(handle_, w.data(), length + 1)));
  return Narrow(w);
}

void TWinControl::StoreText(const std::string& text) {
  text_ = text;
  if (handle_) SetWindowTextW(handle_, Widen(text).c_str());
}

void TWinControl::FontChanged() {
  if (handle_) SendMessageW(handle_, WM_SETFONT, WPARAM(Font()->Handle()), TRUE);
  TControl::FontChanged();
}

void TWinControl::ColorChanged() { Invalidate(); }

HBRUSH TWinControl::Brush() {
  if (!brush_ || brushColor_ != Color()) {
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(ColorToRGB(Color()));
    brushColor_ = Color();
  }
  return brush_;
}

// --- scroll bars drawn by another window ------------------------------------------------------

void TWinControl::SetScrollBarCovered(int bar, bool covered) {
  assert(bar >= SB_HORZ && bar <= SB_CTL);
  const unsigned bit = 1u << unsigned(bar);
  coveredBars_ = covered ? coveredBars_ | bit : coveredBars_ & ~bit;
}

bool TWinControl::ScrollBarCovered(int bar) const noexcept {
  return bar >= SB_HORZ && bar <= SB_CTL && (coveredBars_ & (1u << unsigned(bar))) != 0;
}

int TWinControl::ApplyScrollInfo(int bar, const SCROLLINFO& info) {
  if (!handle_) return 0;
  SCROLLINFO copy = info;  // the platform's parameter is not const
  return SetScrollInfo(handle_, bar, &copy, ScrollBarCovered(bar) ? FALSE : TRUE);
}

// --- children -------------------------------------------------------------------------------

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    tabList_.push_back(w);
    if (w->pendingTabOrder_ >= 0 && !w->Loading()) w->SetTabOrder(w->pendingTabOrder_);
    if (w->parentCtl3D_) w->ctl3D_ = ctl3D_;
    if (handle_ && !w->Loading()) w->CreateHandle();
  }
  control->ParentFontChanged();
  control->ParentColorChanged();
  control->Invalidate();
  control->UpdateAnchorBase();
  if (control->Align() != TAlign::alNone) Realign();
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it == controls_.end()) return;
  control->Invalidate();
  controls_.erase(it);
  if (captureControl_ == control) captureControl_ = nullptr;
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    std::erase(tabList_, w);
    w->DestroyHandle();
  }
  control->parent_ = nullptr;
  if (control->Align() != TAlign::alNone && !Destroying()) Realign();
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!c->IsWindowless() || !c->Visible() || (!allowDisabled && !c->Enabled())) continue;
    const RECT r = c->BoundsRect();
    if (PtInRect(&r, p)) return c;
  }
  return nullptr;
}

void TWinControl::NotifyChildren(UINT msg, WPARAM wParam, LPARAM lParam) {
  for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(msg, wParam, lParam);
}

// --- geometry and alignment -----------------------------------------------------------------

void TWinControl::SetBounds(int left, int top, int width, int height) {
  const bool aligning = parent_ && parent_->Aligning();
  if (handle_) {
    SetWindowPos(handle_, nullptr, left, top, std::max(width, 0), std::max(height, 0), SWP_NOZORDER | SWP_NOACTIVATE);
    SetBoundsInternal(left, top, width, height);  // in case the window refused part of it
  } else {
    const bool resized = width != Width() || height != Height();
    SetBoundsInternal(left, top, width, height);
    if (resized) Realign();
  }
  if (!aligning) {
    UpdateAnchorBase();
    if (Align() != TAlign::alNone) RequestAlign();
  }
}

RECT TWinControl::ClientRect() const {
  if (handle_) {
    RECT r{};
    GetClientRect(handle_, &r);
    return r;
  }
  return TControl::ClientRect();
}

POINT TWinControl::ClientOrigin() const {
  if (handle_) {
    POINT p{0, 0};
    ::ClientToScreen(handle_, &p);
    return p;
  }
  return TControl::ClientOrigin();
}

void TWinControl::UpdateBoundsFromWindow() {
  RECT r{};
  GetWindowRect(handle_, &r);
  if (HWND parent = GetParent(handle_); parent && (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  SetBoundsInternal(r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (!parent_ || !parent_->Aligning()) UpdateAnchorBase();
}

void TWinControl::Realign() {
  if (Loading() || Destroying()) return;
  {
    ++aligning_;
    ScopeExit done([this] { --aligning_; });
    AlignControls();
  }
  Aligned();
}

void TWinControl::AlignControls() {
  RECT r = ClientRect();
  const SIZE size{r.right - r.left, r.bottom - r.top};
  for (TAlign kind : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
    for (TControl* c : std::vector<TControl*>(controls_)) {
      if (c->Align() != kind || !c->Visible()) continue;
      const int w = std::min<int>(c->Width(), std::max<int>(r.right - r.left, 0));
      const int h = std::min<int>(c->Height(), std::max<int>(r.bottom - r.top, 0));
      switch (kind) {
        case TAlign::alTop:
          c->SetBounds(r.left, r.top, r.right - r.left, c->Height());
          r.top += h;
          break;
        case TAlign::alBottom:
          c->SetBounds(r.left, r.bottom - c->Height(), r.right - r.left, c->Height());
          r.bottom -= h;
          break;
        case TAlign::alLeft:
          c->SetBounds(r.left, r.top, c->Width(), r.bottom - r.top);
          r.left += w;
          break;
        case TAlign::alRight:
          c->SetBounds(r.right - c->Width(), r.top, c->Width(), r.bottom - r.top);
          r.right -= w;
          break;
        default:
          c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
          break;
      }
    }
  }
  for (TControl* c : std::vector<TControl*>(controls_))
    if (c->Align() == TAlign::alNone) c->ApplyAnchors(size);
}

// --- tab order and focus --------------------------------------------------------------------

int TWinControl::TabOrder() const noexcept {
  if (!parent_ || pendingTabOrder_ >= 0) return pendingTabOrder_;
  auto& list = parent_->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : int(it - list.begin());
}

// While a description is read the orders are only noted: controls come in stored order, not in
// tab order, and the parent sorts its list once everything is read (FixupTabList).
void TWinControl::SetTabOrder(int order) {
  if (!parent_ || Loading()) {
    pendingTabOrder_ = order;
    return;
  }
  pendingTabOrder_ = -1;
  auto& list = parent_->tabList_;
  std::erase(list, this);
  order = std::clamp(order, 0, int(list.size()));
  list.insert(list.begin() + order, this);
}

// Puts each control whose order was noted while loading at that place in the tab list; the others
// fill the free places in the order they came (a repeated order counts as none).
void TWinControl::FixupTabList() {
  const size_t n = tabList_.size();
  std::vector<TWinControl*> placed(n, nullptr), rest;
  for (TWinControl* c : tabList_) {
    const int order = c->pendingTabOrder_;
    c->pendingTabOrder_ = -1;
    if (order >= 0 && size_t(order) < n && !placed[size_t(order)]) placed[size_t(order)] = c;
    else rest.push_back(c);
  }
  auto next = rest.begin();
  for (TWinControl*& slot : placed)
    if (!slot) slot = *next++;
  tabList_ = std::move(placed);
}

void TWinControl::SetTabStop(bool v) {
  tabStop_ = v;
  if (handle_) {
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    SetWindowLongPtrW(handle_, GWL_STYLE, v ? (style | WS_TABSTOP) : (style & ~LONG_PTR(WS_TABSTOP)));
  }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* c : tabList_) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int n = int(list.size());
  int start = int(std::find(list.begin(), list.end(), current) - list.begin());
  if (start == n) start = forward ? -1 : n;
  for (int step = 1; step <= n; ++step) {
    const int i = ((start + (forward ? step : -step)) % n + n) % n;
    TWinControl* c = list[size_t(i)];
    if (c == current) continue;
    if (c->CanFocus() && (!checkTabStop || c->TabStop())) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, forward, checkTabStop)) next->SetFocus();
}

bool TWinControl::SelectFirst() {
  TWinControl* first = FindNextControl(nullptr, true, true);
  if (!first) return false;
  first->SetFocus();
  return true;
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  if (!CanFocus())
    throw EInvalidOperation("cannot focus " + (Name().empty() ? ClassName() : Name()) +
                            ": it is disabled or invisible");
  TCustomForm* form = ParentForm();
  if (form && form != this) {
    HWND fh = form->HandleIfAllocated();
    if (!fh || !IsWindowVisible(fh)) {
      form->SetActiveControl(this);
      return;
    }
  }
  ::SetFocus(Handle());
}

void TWinControl::SetCtl3D(bool v) {
  parentCtl3D_ = false;
  if (v == ctl3D_) return;
  ctl3D_ = v;
  Ctl3DChanged();
  NotifyChildren(CM_PARENTCTL3DCHANGED);
}

void TWinControl::SetParentCtl3D(bool v) {
  parentCtl3D_ = v;
  if (v) CmParentCtl3DChanged();
}

// --- painting -------------------------------------------------------------------------------

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::EraseBackground(HDC dc) {
  RECT r{};
  GetClientRect(handle_, &r);
  FillRect(dc, &r, Brush());
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  bool started = first == nullptr;
  for (TControl* c : std::vector<TControl*>(controls_)) {
    if (!started) {
      started = c == first;
      if (!started) continue;
    }
    if (!c->IsWindowless() || !c->Visible()) continue;
    const RECT r = c->BoundsRect();
    if (!RectVisible(dc, &r)) continue;
    SavedDCState saved(dc);
    OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
    IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
    c->Perform(WM_PAINT, WPARAM(dc), 0);
  }
}

// Own window classes paint here: the control, then its window-less children. With double
// buffering a WM_PAINT without a DC is drawn off-screen and copied with one transfer; the inner
// erase and paint are direct calls, so WindowProc sees a single WM_PAINT.
void TWinControl::WmPaint(TMessage& m) {
  if (!ownClass_) return TControl::WndProc(m);
  if (m.WParam) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    PaintWindow(dc);
    PaintControls(dc);
    return;
  }
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(handle_, &ps);
  if (doubleBuffered_) PaintBuffered(dc, ps.rcPaint);
  else {
    PaintWindow(dc);
    PaintControls(dc);
  }
  EndPaint(handle_, &ps);
}

// Erase, paint and the window-less children into a memory bitmap, then one copy of the part to
// update onto dc.
void TWinControl::PaintBuffered(HDC dc, const RECT& update) {
  RECT client{};
  GetClientRect(handle_, &client);
  MemoryDC mem(dc);
  GdiObject<HBITMAP> bitmap(
      CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)));
  DcSelection selected(mem.Get(), bitmap.Get());
  IntersectClipRect(mem.Get(), update.left, update.top, update.right, update.bottom);
  EraseBackground(mem.Get());
  PaintWindow(mem.Get());
  PaintControls(mem.Get());
  BitBlt(dc, update.left, update.top, update.right - update.left, update.bottom - update.top, mem.Get(), update.left,
         update.top, SRCCOPY);
}

// WM_PRINTCLIENT (WM_PRINT, PrintWindow): paints the client area into the DC given. A double
// buffered control erases here, since it skips the separate erase message.
void TWinControl::WmPrintClient(TMessage& m) {
  if (!ownClass_) return TControl::WndProc(m);
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  if (doubleBuffered_) EraseBackground(dc);
  PaintWindow(dc);
  PaintControls(dc);
}

void TWinControl::WmEraseBkgnd(TMessage& m) {
  if (!ownClass_) return TControl::WndProc(m);
  // a double-buffered control erases inside its buffer; erasing the screen first would flicker
  if (!doubleBuffered_) EraseBackground(reinterpret_cast<HDC>(m.WParam));
  m.Result = 1;
}

// --- messages -------------------------------------------------------------------------------

// Mouse messages: a window-less child under the cursor (or the one holding the capture) gets them
// in its own coordinates; otherwise the control's own mouse handling runs, with a left press on an
// own-class control taking the capture until the release.
void TWinControl::WmMouse(TMessage& m) {
  if (RouteMouseToChild(m)) return;
  const bool ownCapture = ownClass_ && captureOnPress_ && handle_;
  if (ownCapture && m.Msg == WM_LBUTTONDOWN) SetCapture(handle_);
  TControl::WndProc(m);
  if (ownCapture && m.Msg == WM_LBUTTONUP && GetCapture() == handle_ && !captureControl_) ReleaseCapture();
}

bool TWinControl::RouteMouseToChild(TMessage& m) {
  const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  TControl* target = captureControl_;
  if (!target) target = ControlAtPos({x, y});
  if (!target) return false;
  const bool press = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK;
  if (press && !captureControl_ && target->captureOnPress_) {
    captureControl_ = target;
    SetCapture(handle_);
  }
  m.Result = target->Perform(m.Msg, m.WParam, MAKELPARAM(x - target->Left(), y - target->Top()));
  if (m.Msg == WM_LBUTTONUP && captureControl_ == target) {
    captureControl_ = nullptr;
    if (GetCapture() == handle_) ReleaseCapture();
  }
  return true;
}

// A child's notification goes back to the child's object as CN_BASE + the message; its result is
// the answer. Notifications of windows that are not ours get the default processing.
void TWinControl::WmChildNotify(TMessage& m) {
  HWND child = nullptr;
  switch (m.Msg) {
    case WM_NOTIFY:
      child = reinterpret_cast<const NMHDR*>(m.LParam)->hwndFrom;
      break;
    case WM_DRAWITEM: {
      const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
      if (dis->CtlType != ODT_MENU) child = dis->hwndItem;
      break;
    }
    default:  // WM_COMMAND, WM_CTLCOLOR*, WM_HSCROLL, WM_VSCROLL: the child's window in lParam (the
              // window's own scroll bars send none)
      child = reinterpret_cast<HWND>(m.LParam);
      break;
  }
  TWinControl* c = child && child != handle_ ? FindControl(child) : nullptr;
  if (!c) return TControl::WndProc(m);
  m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
}

// The reflected colour query of a native child: text in the font colour on the control's colour.
void TWinControl::CnCtlColor(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  SetTextColor(dc, ColorToRGB(Font()->Color()));
  SetBkColor(dc, ColorToRGB(Color()));
  m.Result = reinterpret_cast<LRESULT>(Brush());
}

// Key messages: the key events first; a handler that sets the key to 0 stops it, otherwise the
// (possibly changed) key goes on to the default processing of this same control.
void TWinControl::WmKey(TMessage& m) {
  unsigned short key = static_cast<unsigned short>(m.WParam);
  if (m.Msg == WM_KEYDOWN || m.Msg == WM_SYSKEYDOWN) KeyDown(key, KeyboardShiftState());
  else KeyUp(key, KeyboardShiftState());
  if (key == 0) return;
  m.WParam = key;
  TControl::WndProc(m);
}

void TWinControl::WmChar(TMessage& m) {
  wchar_t ch = static_cast<wchar_t>(m.WParam);
  KeyPress(ch);
  if (ch == 0) return;
  m.WParam = ch;
  if (OfferDialogChar(m)) return;
  TControl::WndProc(m);
}

// Alt+letter goes to the form first (menu accelerators).
void TWinControl::WmSysChar(TMessage& m) {
  if (OfferDialogChar(m)) return;
  TControl::WndProc(m);
}

// Offers a character to the form as CM_DIALOGCHAR: always for Alt+letter, and for a plain
// character only when this control does not ask for characters (WM_GETDLGCODE). True when the
// form used it (non-zero answer); the character then goes no further.
bool TWinControl::OfferDialogChar(TMessage& m) {
  TCustomForm* form = ParentForm();
  if (!form) return false;
  if (m.Msg == WM_CHAR && handle_ &&
      (SendMessageW(handle_, WM_GETDLGCODE, m.WParam, 0) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)))
    return false;
  if (form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) == 0) return false;
  m.Result = 0;
  return true;
}

void TWinControl::WmSetFocus(TMessage& m) {
  if (TCustomForm* form = ParentForm(); form && form != this) form->FocusChanged(this);
  TControl::WndProc(m);
}

// The window's text is kept when the window goes, so Text still answers afterwards.
void TWinControl::WmDestroy(TMessage& m) {
  text_ = GetText();
  TControl::WndProc(m);
}

void TWinControl::WmSize(TMessage& m) {
  TControl::WndProc(m);
  Realign();
}

void TWinControl::WmWindowPosChanged(TMessage& m) {
  UpdateBoundsFromWindow();
  TControl::WndProc(m);
}

// The cursor over the client area: the screen's overriding cursor, else the one of the window-less
// child under the mouse, else the control's own; crDefault leaves it to the window class.
void TWinControl::WmSetCursor(TMessage& m) {
  if (LOWORD(m.LParam) == HTCLIENT && reinterpret_cast<HWND>(m.WParam) == handle_) {
    TCursor cursor = Screen().Cursor();
    if (cursor == crDefault) {
      POINT p{};
      GetCursorPos(&p);
      ::ScreenToClient(handle_, &p);
      TControl* c = ControlAtPos(p);
      cursor = c ? c->Cursor() : Cursor();
    }
    if (cursor != crDefault) {
      ::SetCursor(Screen().Cursors(cursor));
      m.Result = 1;
      return;
    }
  }
  TControl::WndProc(m);
}

void TWinControl::WmCaptureChanged(TMessage& m) {
  captureControl_ = nullptr;
  TControl::WndProc(m);
}

void TWinControl::CmParentCtl3DChanged() {
  if (parentCtl3D_ && parent_ && parent_->ctl3D_ != ctl3D_) {
    ctl3D_ = parent_->ctl3D_;
    Ctl3DChanged();
    NotifyChildren(CM_PARENTCTL3DCHANGED);
  }
}

void TWinControl::CmVisibleChanged(TMessage& m) {
  if (handle_)
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (m.WParam ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CmEnabledChanged() {
  if (handle_) EnableWindow(handle_, Enabled());
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return WmKey(m);
    case WM_CHAR:
      return WmChar(m);
    case WM_SYSCHAR:
      return WmSysChar(m);
    case WM_SETFOCUS:
      return WmSetFocus(m);
    case WM_DESTROY:
      return WmDestroy(m);
    case WM_ERASEBKGND:
      return WmEraseBkgnd(m);
    case WM_PAINT:
      return WmPaint(m);
    case WM_PRINTCLIENT:
      return WmPrintClient(m);
    case WM_SIZE:
      return WmSize(m);
    case WM_WINDOWPOSCHANGED:
      return WmWindowPosChanged(m);
    case WM_SETCURSOR:
      return WmSetCursor(m);
    case WM_CAPTURECHANGED:
      return WmCaptureChanged(m);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return WmMouse(m);
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_DRAWITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return WmChildNotify(m);
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORLISTBOX:
      return CnCtlColor(m);
    case CM_ENTER:
      return DoEnter();
    case CM_EXIT:
      return DoExit();
    case CM_PARENTCTL3DCHANGED:
      return CmParentCtl3DChanged();
    case CM_VISIBLECHANGED:
      return CmVisibleChanged(m);
    case CM_ENABLEDCHANGED:
      return CmEnabledChanged();
    default:
      return TControl::WndProc(m);
  }
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!handle_) return;
  if (m.Msg >= CM_BASE && m.Msg < 0xC000) return;  // the layer's own messages end here
  m.Result = CallWindowProcW(defWndProc_, handle_, m.Msg, m.WParam, m.LParam);
}

}  // namespace bus
