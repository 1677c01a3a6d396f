#include "skin/form/SkinForm.h"

#include <algorithm>
#include <utility>

#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/ControlMessageHook.h"
#include "framework/controls/Form.h"
#include "framework/controls/ToolBar.h"
#include "framework/controls/WindowSubclass.h"
#include "skin/control/SkinControl.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinManager.h"

namespace bus {

const TClassInfo& TSkinForm::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinForm>("TSkinForm", TComponent::StaticClassInfo())
                                     .Int("DisableTag", &TSkinForm::DisableTag, &TSkinForm::SetDisableTag, 0)
                                     .Build();
  return info;
}

TSkinForm::TSkinForm(TComponent* owner) : TComponent(owner) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;  // the wide structure of this build: any other size fails quietly
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
    captionFont_.SetHandle(CreateFontIndirectW(&metrics.lfCaptionFont));
}

TSkinForm::~TSkinForm() {
  ReleaseWrappers();
  RemoveHooks();
  if (SkinManager) SkinManager->RemoveSkinForm(this);
}

// --- Hooking -------------------------------------------------------------------------------------

void TSkinForm::HookForm(TSkinData* skin, TCustomForm* form) {
  ownerForm_ = form;
  savedAutoScroll_ = form->AutoScroll();
  form->SetAutoScroll(false);
  if (skin->SkinControls().Contains(TSkinControlType::xcMainMenu))
    formHook_ = std::make_unique<TControlMessageHook>(*form, [this](TMessage& m) { return FormWindowProc(m); });
  HookWindow(skin);
  savedColor_ = form->Color();
  savedParentColor_ = form->ParentColor();
  form->SetColor(skin->ButtonFace());
  // the form's popup and main menus become owner-drawn with the menu skinning
}

void TSkinForm::HookWindow(TSkinData* skin) {
  if (windowHook_) return;
  if (SkinManager) SkinManager->SetRunCount(1);
  skinData_ = skin;
  frameSkinning_ = skin->SkinControls().Contains(TSkinControlType::xcMainMenu);
  savedStyle_ = DWORD(GetWindowLongPtrW(handle_, GWL_STYLE));
  const DWORD exStyle = DWORD(GetWindowLongPtrW(handle_, GWL_EXSTYLE));
  rightToLeft_ = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
  unhookOnDestroy_ = true;
  windowClass_ = WindowClassName(handle_);
  ownerWindow_ = GetWindow(handle_, GW_OWNER);
  GetClientRect(handle_, &hookClientRect_);
  RECT window{};
  GetWindowRect(handle_, &window);
  nativeFrame_ = {0, 0, (window.right - window.left) - hookClientRect_.right,
                  (window.bottom - window.top) - hookClientRect_.bottom};
  // the style tells about the system menu: asking the window for it would give it a copy of its own
  captionFlags_ = (savedStyle_ & WS_SYSMENU) ? kCaptionSystemMenu : 0;
  if (savedStyle_ & WS_MINIMIZEBOX) captionFlags_ |= kCaptionMinimize;
  if (savedStyle_ & WS_MAXIMIZEBOX) captionFlags_ |= kCaptionMaximize;
  sizeable_ = (savedStyle_ & WS_THICKFRAME) != 0;

  kind_ = kKindPlain;
  for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (WindowClassName(child) == "MDIClient") {
      kind_ = kKindMDIFrame;
      mdiClientWindow_ = child;
      break;
    }
  }
  if (exStyle & WS_EX_MDICHILD) kind_ = kKindMDIChild;

  if ((savedStyle_ & WS_POPUP) && (savedStyle_ & WS_CAPTION) != WS_CAPTION) borderStyle_ = kBorderNone;
  else if (savedStyle_ & WS_THICKFRAME) borderStyle_ = kBorderSizeable;
  else if (savedStyle_ & DS_MODALFRAME) borderStyle_ = kBorderDialog;
  else borderStyle_ = kBorderSingle;
  if (exStyle & WS_EX_DLGMODALFRAME) borderStyle_ = kBorderDialog;
  unicodeWindow_ = windowClass_.find(".UnicodeClass") != std::string::npos;
  isDialog_ = windowClass_ == "#32770" || windowClass_ == "TMessageForm";
  if (isDialog_) borderStyle_ = kBorderDialog;

  // with frame skinning the frame painting readies the window when the controls are skinned
  if (!frameSkinning_) life_ = kLifeReady;
  windowHook_ = std::make_unique<TWindowSubclass>(handle_, [this](TMessage& m) { return Dispatch(m); }, this);
  InvalidateRect(handle_, nullptr, TRUE);
}

bool TSkinForm::Hooked() const noexcept { return windowHook_ && windowHook_->Installed(); }

void TSkinForm::RemoveHooks() noexcept {
  if (formHook_) formHook_->Remove();
  if (windowHook_) windowHook_->Remove();
}

void TSkinForm::RestoreFormLook() {
  ownerForm_->SetColor(savedColor_);
  if (savedParentColor_) ownerForm_->SetParentColor(true);
  ownerForm_->SetAutoScroll(savedAutoScroll_);
}

void TSkinForm::Unhook() {
  if (!frameSkinning_) {
    UnhookPlain();
    return;
  }
  if (!Hooked()) return;
  RemoveHooks();
  ReleaseWrappers();
  if (ownerForm_ && life_ != kLifeDestroying) RestoreFormLook();
  // the frame painting gives back the frame styles, the menu bar, the size and the region
}

void TSkinForm::UnhookOnDestroy() {
  if (!frameSkinning_) {
    UnhookPlain();
    return;
  }
  RemoveHooks();
  ReleaseWrappers();
}

void TSkinForm::UnhookPlain() {
  ReleaseWrappers();
  const bool restoreForm = ownerForm_ && life_ != kLifeDestroying;
  if (restoreForm) RestoreFormLook();
  RemoveHooks();
  if (!restoreForm) return;
  for (int i = 0; i < ownerForm_->ComponentCount(); ++i) {
    if (auto* control = dynamic_cast<TControl*>(ownerForm_->Components(i))) control->Invalidate();
  }
}

void TSkinForm::ReleaseWrappers() noexcept {
  while (!wrappers_.empty()) {
    TSkinControl* wrapper = wrappers_.front();
    EraseWrapper(wrappers_.begin());
    StopPaintingToolButtons(dynamic_cast<TToolBar*>(wrapper->Control()));
    try {
      if (wrapper->Status() != kWrapperGone) wrapper->Detach();
    } catch (...) {
      HandleCurrentException(this);
    }
    wrapper->Dispose();
  }
}

void TSkinForm::Reskin() {
  TWinControl* focused = nullptr;
  if (ownerForm_) {
    const TColor face = skinData_->ButtonFace();
    ownerForm_->SetColor(face);
    for (int i = 0; i < ownerForm_->ComponentCount(); ++i) {
      TComponent* c = ownerForm_->Components(i);
      auto* control = dynamic_cast<TControl*>(c);
      if (control && (dynamic_cast<TCustomForm*>(c) || c->InheritsFrom("TScrollBox"))) control->SetColor(face);
    }
    TWinControl* active = ownerForm_->ActiveControl();
    if (active && active->Focused()) focused = active;
  }
  for (TSkinControl* wrapper : std::vector<TSkinControl*>(wrappers_)) wrapper->SkinChanged();
  life_ = kLifeReskinning;
  // the frame painting fits the window to the new skin's frame here
  if (focused && focused->CanFocus()) focused->SetFocus();
  life_ = kLifeReady;
}

void TSkinForm::Dispose() noexcept {
  RemoveHooks();
  calls_.FreeWhenIdle([this] { Free(); });
}

void TSkinForm::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove) std::erase(paintedBars_, component);
  TComponent::Notification(component, operation);
}

// --- The wrapper list ----------------------------------------------------------------------------

bool TSkinForm::RegisterWrapper(TSkinControl* wrapper) {
  if (std::find(wrappers_.begin(), wrappers_.end(), wrapper) != wrappers_.end()) return true;
  wrappers_.push_back(wrapper);
  return false;
}

void TSkinForm::UnregisterWrapper(TSkinControl* wrapper) noexcept {
  const auto last = std::find(wrappers_.rbegin(), wrappers_.rend(), wrapper);
  if (last != wrappers_.rend()) EraseWrapper(std::next(last).base());
}

std::vector<TSkinControl*>::iterator TSkinForm::EraseWrapper(std::vector<TSkinControl*>::iterator it) noexcept {
  if (*it == hotButton_) hotButton_ = nullptr;
  return wrappers_.erase(it);
}

TSkinControl* TSkinForm::FindWrapper(HWND window) const noexcept {
  const auto it = std::find_if(wrappers_.begin(), wrappers_.end(), [window](const TSkinControl* w) {
    return w->Handle() == window;
  });
  return it == wrappers_.end() ? nullptr : *it;
}

void TSkinForm::PurgeWrappers() noexcept {
  for (size_t i = wrappers_.size(); i-- > 0;) {
    TSkinControl* wrapper = wrappers_[i];
    if (wrapper->Status() != kWrapperGone) continue;
    EraseWrapper(wrappers_.begin() + std::ptrdiff_t(i));
    wrapper->Dispose();
  }
}

// --- The window procedure ------------------------------------------------------------------------

bool TSkinForm::Dispatch(TMessage& m) {
  const TCallCounter::Call call(calls_);  // an object disposed of meanwhile goes when this call ends
  WndProc(m);
  return true;
}

void TSkinForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
      WmEraseBkgnd(m);
      break;
    case WM_NCDESTROY:
      WmNcDestroy(m);
      break;
    case WM_INITMENUPOPUP:
      WmInitMenuPopup(m);
      break;
    case WM_CTLCOLORBTN:
      WmCtlColorBtn(m);
      break;
    case WM_CTLCOLORSTATIC:
      WmCtlColorStatic(m);
      break;
    case kSkinMsgSkinControls:
      SkinChildren(m);
      break;
    case kSkinMsgIsSkinned:
      m.Result = 1;
      break;
    default:
      FrameMessage(m);
      break;
  }
}

void TSkinForm::Default(TMessage& m) { windowHook_->Default(m); }

void TSkinForm::WmEraseBkgnd(TMessage& m) {
  Default(m);
  if (ownerForm_ || !skinData_->FaceBrush()) return;
  RECT client{};
  GetClientRect(handle_, &client);
  FillRect(reinterpret_cast<HDC>(m.WParam), &client, skinData_->FaceBrush());
  m.Result = 1;
}

void TSkinForm::WmNcDestroy(TMessage& m) {
  life_ = kLifeDestroying;
  if (unhookOnDestroy_) UnhookOnDestroy();
  Default(m);
  life_ = kLifeGone;
  // nothing is left to skin: the manager lets the object go when this message is done
  if (SkinManager) SkinManager->PurgeClosedForms();
}

void TSkinForm::WmInitMenuPopup(TMessage& m) {
  // the system menu says so in the high word of lParam
  if (SkinManager) SkinManager->SetMenuMode(HIWORD(m.LParam) ? kMenuModeSystem : kMenuModeDropDown);
  Default(m);
}

void TSkinForm::WmCtlColorBtn(TMessage& m) {
  Default(m);
  if (!ownerForm_) SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
}

void TSkinForm::WmCtlColorStatic(TMessage& m) {
  Default(m);
  if (ownerForm_ || !skinData_->FaceBrush()) return;
  SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
  m.Result = reinterpret_cast<LRESULT>(skinData_->FaceBrush());
}

void TSkinForm::SkinChildren(TMessage&) {
  childrenSkinned_ = true;
  if (ownerForm_) SkinComponents(ownerForm_);
  else SkinChildWindows();
  // with frame skinning, the frame painting fits the window into the skin's frame here
  life_ = kLifeReady;
}

void TSkinForm::FrameMessage(TMessage& m) {
  // sizing, activation, hit tests and the non-client area are the frame painting's; until it
  // takes them they get the window's own processing
  Default(m);
}

bool TSkinForm::FormWindowProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SETTEXT:
      formHook_->Default(m);
      FrameChanged();  // the new caption is drawn with the frame
      return true;
    case kSkinMsgReskin:
      Reskin();
      return true;
    default:
      // the dialog characters (menu bar accelerators) go to the skinned menu bar once there is one
      return false;
  }
}

void TSkinForm::FrameChanged() const {
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace bus
