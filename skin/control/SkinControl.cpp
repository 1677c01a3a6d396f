#include "skin/control/SkinControl.h"

#include <cassert>
#include <utility>

#include "framework/Properties.h"
#include "framework/controls/ControlMessageHook.h"
#include "framework/controls/GraphicControl.h"
#include "framework/controls/WinControl.h"
#include "framework/controls/WindowSubclass.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandles.h"
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

void TSkinControl::PaintWindow(HDC dc) {
  RECT rect{};
  if (!handle_ || !GetWindowRect(handle_, &rect)) return;
  windowRect_ = rect;
  OffsetRect(&rect, -rect.left, -rect.top);
  enabled_ = (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_DISABLED) == 0;
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
  if (control_) {
    control_->Invalidate();
  } else if (graphicControl_) {
    graphicControl_->Invalidate();
  } else if (handle_) {
    InvalidateRect(handle_, nullptr, TRUE);
    UpdateWindow(handle_);
  }
}

void TSkinControl::PaintFromMessage(TMessage& m) {
  struct Painting {
    HWND window;
    PAINTSTRUCT ps{};
    HDC dc = nullptr;
    ~Painting() {
      if (dc) EndPaint(window, &ps);
    }
  } painting{handle_};
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  if (!dc) dc = painting.dc = BeginPaint(handle_, &painting.ps);
  RECT rect{};
  if (dc && GetWindowRect(handle_, &rect)) {
    windowRect_ = rect;
    OffsetRect(&rect, -rect.left, -rect.top);
    PaintTo(dc, rect);
  }
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
  return control_ && control_->Parent() ? control_->Parent()->Color() : fallback;
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
