#include "skin/control/SkinControl.h"

#include <algorithm>
#include <cassert>
#include <iterator>
#include <utility>

#include "framework/Properties.h"
#include "framework/controls/ControlMessageHook.h"
#include "framework/controls/GraphicControl.h"
#include "framework/controls/WinControl.h"
#include "framework/controls/WindowSubclass.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/BufferedPaint.h"
#include "skin/control/SkinWrapperHost.h"
#include "skin/data/SkinData.h"

namespace bus {

const TClassInfo& TSkinControl::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinControl>("TSkinControl", TComponent::StaticClassInfo()).Build();
  return info;
}

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) {}

TSkinControl::~TSkinControl() {
  RemoveHooks();
  LeaveForm();
}

void TSkinControl::AttachControl(TSkinWrapperHost* form, TSkinData* skin, bool recolour, TCanvas* canvas) {
  if (attached_) return;
  auto* control = dynamic_cast<TWinControl*>(Owner());
  assert(control && "a wrapper attached to a control is owned by it");
  if (!control) return;
  recolour_ = recolour;
  skinData_ = skin;
  canvas_ = canvas;
  control_ = control;
  handle_ = control->Handle();
  HookControl(*control);
  oldDoubleBuffered_ = control->DoubleBuffered();
  control->SetDoubleBuffered(true);
  Register(form);
  focused_ = GetFocus() == handle_;
  enabled_ = (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_DISABLED) == 0;
  caption_ = GetWindowTextWide(handle_);
  if (recolour_) {
    oldColor_ = control->Color();
    oldParentColor_ = control->ParentColor();
    control->SetColor(skin->ButtonFace());
  }
  control->Invalidate();
  attached_ = true;
  status_ = kWrapperAttached;
}

void TSkinControl::AttachWindow(HWND handle, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas) {
  if (attached_) return;
  windowHook_ = std::make_unique<TWindowSubclass>(
      handle,
      [this](TMessage& m) {
        WndProc(m);
        return true;
      },
      this);
  handle_ = handle;
  skinData_ = skin;
  canvas_ = canvas;
  enabled_ = true;
  Register(form);
  caption_ = GetWindowTextWide(handle);
  InvalidateRect(handle, nullptr, TRUE);
  attached_ = true;
  status_ = kWrapperAttached;
}

void TSkinControl::AttachGraphic(TSkinWrapperHost* form, TSkinData* skin, TCanvas* canvas) {
  if (attached_) return;
  auto* control = dynamic_cast<TGraphicControl*>(Owner());
  assert(control && "a wrapper attached to a window-less control is owned by it");
  if (!control) return;
  skinData_ = skin;
  canvas_ = canvas;
  graphicControl_ = control;
  HookControl(*control);
  Register(form);
  attached_ = true;
  status_ = kWrapperAttached;
}

void TSkinControl::Bind(TWinControl& control, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas, bool hook) {
  skinData_ = skin;
  canvas_ = canvas;
  control_ = &control;
  handle_ = control.Handle();
  Register(form);
  if (hook) HookControl(control);
  attached_ = true;
}

bool TSkinControl::Register(TSkinWrapperHost* form) {
  form_ = form;
  return form_ && form_->RegisterWrapper(this);
}

void TSkinControl::HookControl(TControl& control) {
  controlHook_ = std::make_unique<TControlMessageHook>(control, [this](TMessage& m) {
    WndProc(m);
    return true;
  });
}

void TSkinControl::Detach() {
  if (!control_) return;
  if (recolour_) {
    control_->SetColor(oldColor_);
    if (oldParentColor_) control_->SetParentColor(true);
  }
  control_->SetDoubleBuffered(oldDoubleBuffered_);
}

void TSkinControl::WndProc(TMessage& m) {
  const TCallCounter::Call call(calls_);  // a wrapper disposed of meanwhile goes when this call ends
  if (!active_) {
    if (m.Msg == kSkinMsgSwitch) {
      active_ = LONG_PTR(m.WParam) > 0;
      if (active_) Repaint();
    } else {
      CallDefault(m);
    }
    return;
  }
  if (BeforeDefault(m)) {
    CallDefault(m);
    AfterDefault(m);
  }
}

void TSkinControl::CallDefault(TMessage& m) {
  if (controlHook_) controlHook_->Default(m);
  else if (windowHook_) windowHook_->Default(m);
}

bool TSkinControl::BeforeDefault(TMessage& m) {
  if (m.Msg != WM_NCDESTROY) return true;
  CallDefault(m);
  status_ = kWrapperGone;
  Detach();
  return false;
}

void TSkinControl::AfterDefault(TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case CM_ENABLEDCHANGED:
      Repaint();
      break;
    case WM_SETTEXT:
      // read back from the window: the text arrives in the window's character set
      caption_ = GetWindowTextWide(handle_);
      Repaint();
      break;
    case WM_PAINT:
      PaintWindow(reinterpret_cast<HDC>(m.WParam));
      break;
    case kSkinMsgSwitch:
      active_ = LONG_PTR(m.WParam) > 0;
      break;
    default:
      break;
  }
}

bool TSkinControl::PaintRect(RECT& rect) {
  if (!handle_ || !GetWindowRect(handle_, &rect)) return false;
  windowRect_ = rect;
  OffsetRect(&rect, -rect.left, -rect.top);
  enabled_ = (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_DISABLED) == 0;
  return true;
}

void TSkinControl::PaintWindow(HDC dc) {
  RECT rect{};
  if (!PaintRect(rect)) return;
  if (dc) {
    PaintTo(dc, rect);
    return;
  }
  const WindowDC own = WindowDC::Whole(handle_);
  if (own) PaintTo(own.Get(), rect);
}

void TSkinControl::PaintTo(HDC, const RECT&) {}

void TSkinControl::SkinChanged() {
  if (recolour_ && control_ && skinData_) control_->SetColor(skinData_->ButtonFace());
  Repaint();
}

void TSkinControl::Repaint() {
  if (handle_ && PaintsFrame()) RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  if (control_) {
    control_->Invalidate();
  } else if (graphicControl_) {
    graphicControl_->Invalidate();
  } else if (handle_) {
    InvalidateRect(handle_, nullptr, TRUE);
    UpdateWindow(handle_);
  }
}

namespace {

// The DC of a WM_PAINT: the one in wParam, or BeginPaint's, which it ends when it goes.
class PaintDC {
public:
  PaintDC(HWND window, const TMessage& m) : window_(window), dc_(reinterpret_cast<HDC>(m.WParam)) {
    if (!dc_) began_ = dc_ = BeginPaint(window_, &ps_);
  }
  ~PaintDC() {
    if (began_) EndPaint(window_, &ps_);
  }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC Get() const noexcept { return dc_; }

private:
  HWND window_;          // painted
  PAINTSTRUCT ps_{};     // BeginPaint's
  HDC dc_;               // wParam's or BeginPaint's
  HDC began_ = nullptr;  // BeginPaint's, to end
};

struct DcDeleter {
  void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};

// The off-screen picture a composed paint is made in, width x height or larger, black and in a
// fresh memory DC's state. Composed paints follow each other (a form's first paint makes one for
// each box, edit and check box), and making a bitmap and a memory DC for each, and freeing them,
// cost about as much as the control's own painting: the thread keeps one picture, grown to the
// largest control painted, and lends it to one paint at a time. A paint made while it is lent
// (a control's painting that paints another control at once) gets a picture of its own.
class ComposeSurface {
public:
  ComposeSurface(HDC reference, int width, int height) {
    Shared& shared = Lent();
    if (!shared.busy && shared.Fit(reference, width, height)) {
      shared_ = &shared;
      shared.busy = true;
      dc_ = shared.dc.Get();
    } else {
      own_.dc.Reset(CreateCompatibleDC(reference));
      own_.bitmap.Reset(own_.dc ? CreateCompatibleBitmap(reference, width, height) : nullptr);
      if (!own_.bitmap || !SelectObject(own_.dc.Get(), own_.bitmap.Get())) return;
      dc_ = own_.dc.Get();
    }
    saved_ = SaveDC(dc_);
    // a new bitmap is black: so is what a paint leaves unpainted in a lent one
    PatBlt(dc_, 0, 0, width, height, BLACKNESS);
  }
  ~ComposeSurface() {
    if (dc_ && saved_) RestoreDC(dc_, saved_);
    if (shared_) shared_->busy = false;
  }
  ComposeSurface(const ComposeSurface&) = delete;
  ComposeSurface& operator=(const ComposeSurface&) = delete;
  // The memory DC to compose in, null when no picture could be made.
  HDC Get() const noexcept { return dc_; }

private:
  struct Picture {
    GdiObject<HBITMAP> bitmap;  // selected into dc while both exist
    OwnedHandle<HDC, DcDeleter> dc;
  };
  struct Shared : Picture {
    int width = 0, height = 0;  // the bitmap's size
    bool busy = false;          // lent to a paint
    // Makes the picture at least width x height, compatible with reference; false when it cannot.
    bool Fit(HDC reference, int w, int h) {
      if (!dc) dc.Reset(CreateCompatibleDC(reference));
      if (!dc) return false;
      if (bitmap && w <= width && h <= height) return true;
      const int newWidth = std::max(w, width), newHeight = std::max(h, height);
      GdiObject<HBITMAP> grown(CreateCompatibleBitmap(reference, newWidth, newHeight));
      if (!grown || !SelectObject(dc.Get(), grown.Get())) return false;
      bitmap = std::move(grown);  // the smaller one is no longer selected: freed
      width = newWidth;
      height = newHeight;
      return true;
    }
  };
  static Shared& Lent() {
    thread_local Shared shared;
    return shared;
  }

  Shared* shared_ = nullptr;  // the thread's picture, when lent to this paint
  Picture own_;               // this paint's own picture otherwise
  HDC dc_ = nullptr;          // shared_'s or own_'s DC
  int saved_ = 0;             // SaveDC's level, restored when the paint is done
};

// Takes the visible child windows of the DC's window out of its clipping region (client
// coordinates), so that a picture copied over the window leaves them as they painted themselves
// (the spin arrows of a tab row, the edit inside a combo box) whatever the window's style says.
void ExcludeVisibleChildren(HWND window, HDC dc) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r{};
    if (!IsWindowVisible(child) || !GetWindowRect(child, &r)) continue;
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
}

}  // namespace

void TSkinControl::PaintFromMessage(TMessage& m) {
  const PaintDC dc(handle_, m);
  RECT rect{};
  if (dc.Get() && PaintRect(rect)) PaintTo(dc.Get(), rect);
}

void TSkinControl::PaintOverDefault(TMessage& m) {
  const PaintDC dc(handle_, m);
  // without an off-screen picture the control paints itself, on the DC the paint began with
  const auto plain = [&] {
    TMessage direct{WM_PAINT, WPARAM(dc.Get()), 0, 0};
    CallDefault(dc.Get() ? direct : m);
    m.Result = dc.Get() ? direct.Result : m.Result;
  };
  RECT rect{}, client{};
  POINT origin{};  // the client area's top-left corner in the window
  if (!dc.Get() || !PaintRect(rect) || !GetClientRect(handle_, &client) || !ClientToScreen(handle_, &origin))
    return plain();
  origin.x -= windowRect_.left;
  origin.y -= windowRect_.top;
  const ComposeSurface memory(dc.Get(), std::max<LONG>(rect.right, 1), std::max<LONG>(rect.bottom, 1));
  if (!memory.Get()) return plain();
  {
    const SavedDCState state(memory.Get());
    SetViewportOrgEx(memory.Get(), origin.x, origin.y, nullptr);
    TMessage erase{WM_ERASEBKGND, WPARAM(memory.Get()), 0, 0};
    CallDefault(erase);
    TMessage print{WM_PRINTCLIENT, WPARAM(memory.Get()), PRF_CLIENT, 0};
    CallDefault(print);
  }
  PaintTo(memory.Get(), rect);
  const SavedDCState clip(dc.Get());
  ExcludeVisibleChildren(handle_, dc.Get());
  BitBlt(dc.Get(), 0, 0, client.right, client.bottom, memory.Get(), origin.x, origin.y, SRCCOPY);
  m.Result = 0;
}

bool TSkinControl::AnswerPaint(TMessage& m, bool overDefault) {
  switch (m.Msg) {
    case WM_PAINT:
      if (overDefault) {
        PaintOverDefault(m);
      } else {
        PaintFromMessage(m);
        m.Result = 0;
      }
      return true;
    case WM_ERASEBKGND:
      m.Result = 1;
      return true;
    default:
      return false;
  }
}

void TSkinControl::PaintFrameOverDefault(TMessage& m, int band) {
  RECT rect{}, client{};
  POINT origin{};  // the client area's top-left corner in the window
  if (!PaintRect(rect) || !GetClientRect(handle_, &client) || !ClientToScreen(handle_, &origin)) return CallDefault(m);
  origin.x -= windowRect_.left;
  origin.y -= windowRect_.top;
  const LONG sides[] = {origin.x, origin.y, rect.right - origin.x - client.right, rect.bottom - origin.y - client.bottom};
  const LONG width = std::min({LONG(band), sides[0], sides[1], sides[2], sides[3]});
  if (width <= 0) return CallDefault(m);
  if (std::any_of(std::begin(sides), std::end(sides), [&](LONG side) { return side != width; })) CallDefault(m);
  else m.Result = 0;
  const WindowDC dc = WindowDC::Whole(handle_);
  if (!dc) return;
  const SavedDCState state(dc.Get());
  ExcludeClipRect(dc.Get(), width, width, rect.right - width, rect.bottom - width);
  TBitmap buffer;
  PaintBuffered(buffer, dc.Get(), rect, [this](HDC memory, const RECT& r) { PaintTo(memory, r); });
}

void TSkinControl::FillFace(HDC dc, const RECT& rect) const {
  const GdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(skinData_ ? skinData_->ButtonFace() : clBtnFace)));
  FillRect(dc, &rect, brush.Get());
}

void TSkinControl::FillParentColor(HDC dc, const RECT& rect) const {
  const TColor face = skinData_ ? skinData_->ButtonFace() : clBtnFace;
  const GdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(ParentColor(face))));
  FillRect(dc, &rect, brush.Get());
}

TColor TSkinControl::ParentColor(TColor fallback) const {
  // a wrapper attached to a control's window has no Control but is owned by the control
  const TControl* control = control_ ? control_ : dynamic_cast<const TControl*>(Owner());
  return control && control->Parent() ? control->Parent()->Color() : fallback;
}

void TSkinControl::Dispose() noexcept {
  form_ = nullptr;
  RemoveHooks();
  calls_.FreeWhenIdle([this] { Free(); });
}

void TSkinControl::RemoveHooks() noexcept {
  if (controlHook_) controlHook_->Remove();
  if (windowHook_) windowHook_->Remove();
}

void TSkinControl::LeaveForm() noexcept {
  if (TSkinWrapperHost* form = std::exchange(form_, nullptr)) form->UnregisterWrapper(this);
}

std::wstring GetWindowTextWide(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(std::size_t(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(std::size_t(copied > 0 ? copied : 0));
  return text;
}

int DrawTextWide(HDC dc, const std::wstring& text, RECT& rect, UINT format) {
  return DrawTextW(dc, text.c_str(), int(text.size()), &rect, format);
}

TBitmap& ScratchBitmap() {
  static TBitmap scratch;
  SetStretchBltMode(scratch.Canvas().Handle(), COLORONCOLOR);
  return scratch;
}

}  // namespace bus
