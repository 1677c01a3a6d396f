#include "skin/form/SkinForm.h"

#include <algorithm>
#include <utility>

#include "core/ScopeExit.h"
#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/ControlMessageHook.h"
#include "framework/controls/Form.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Timer.h"
#include "framework/controls/ToolBar.h"
#include "framework/controls/WindowSubclass.h"
#include "skin/control/SkinControl.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinCaptionButton.h"
#include "skin/form/SkinManager.h"
#include "skin/form/SkinMenuBar.h"

namespace bus {

const TClassInfo& TSkinForm::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinForm>("TSkinForm", TComponent::StaticClassInfo())
                                     .Int("DisableTag", &TSkinForm::DisableTag, &TSkinForm::SetDisableTag, 0)
                                     .Build();
  return info;
}

TSkinForm::TSkinForm(TComponent* owner) : TComponent(owner), doubleClickTime_(GetDoubleClickTime()) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;  // the wide structure of this build: any other size fails quietly
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
    captionFont_.SetHandle(CreateFontIndirectW(&metrics.lfCaptionFont));
}

TSkinForm::~TSkinForm() {
  ReleaseWrappers();
  RemoveHooks();
  UnhookMDIClient();
  FreeCaptionButtons();  // while the object they tell about the hot button is whole
  menuBar_.reset();
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
  SkinPopupMenus(form, true);
  if (skin->SkinControls().Contains(TSkinControlType::xcMenuItem)) SkinMainMenus(form, true);
}

void TSkinForm::HookWindow(TSkinData* skin) {
  if (windowHook_) return;
  if (SkinManager) SkinManager->SetRunCount(1);
  skinData_ = skin;
  hoverTimer_ = std::make_unique<TTimer>(nullptr);
  hoverTimer_->SetEnabled(false);
  hoverTimer_->SetInterval(kHoverInterval);
  hoverTimer_->SetOnTimer(TNotifyEvent([this](TObject*) { CheckHover(); }));
  frameSkinning_ = skin->SkinControls().Contains(TSkinControlType::xcMainMenu);
  savedStyle_ = DWORD(GetWindowLongPtrW(handle_, GWL_STYLE));
  const DWORD exStyle = DWORD(GetWindowLongPtrW(handle_, GWL_EXSTYLE));
  rightToLeft_ = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
  unhookOnDestroy_ = true;
  LoadWindowIcon();
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
  BuildSystemPopup();
  UpdateWindowState();
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

  // the region the window has of its own comes back when the skin gives the window back
  savedRegion_.Reset(CreateRectRgn(0, 0, 0, 0));
  hadRegion_ = savedRegion_ && GetWindowRgn(handle_, savedRegion_.Get()) != ERROR;
  if (!hadRegion_) savedRegion_.Reset();

  if (kind_ == kKindMDIFrame) {
    savedMenuUpdate_ = skin->MenuUpdate();
    if (SkinManager) SkinManager->SetMDIFrame(mdiClientWindow_, ownerForm_);
    HookMDIClient();
  }

  // a window that cannot be hooked keeps the styles it had and its menu
  ScopeFailure giveStylesBack([this] {
    SetFrameStyles(true);
    GiveMenuBack();
    UnhookMDIClient();
  });
  if (frameSkinning_) {
    nativeMenu_ = GetMenu(handle_);
    if (nativeMenu_ && kind_ != kKindMDIChild) CreateMenuBar();
    if (windowState_ != kStateMinimized && !SharedMaximized()) SetFrameStyles(false);
    BuildFrame();
  } else {
    life_ = kLifeReady;
  }
  windowHook_ = std::make_unique<TWindowSubclass>(handle_, [this](TMessage& m) { return Dispatch(m); }, this);
  if (kind_ == kKindMDIChild && windowState_ == kStateMaximized && SkinManager && !SkinManager->MDIMaximized())
    SkinManager->SetMDIMaximized(true);
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
  systemPopup_.reset();
  if (hoverTimer_) hoverTimer_->SetEnabled(false);
  if (!Hooked()) return;
  RemoveHooks();
  ReleaseWrappers();
  GiveMenusBack();
  if (ownerForm_ && life_ != kLifeDestroying) RestoreFormLook();
  SetFrameStyles(true);
  GiveMenuBack();
  UnhookMDIClient();
  captionBitmap_.Clear();
  captionBack_.Clear();
  if (life_ != kLifeDestroying) GiveBackFrameSize();
  // the window's own region, or none; a region given to the window is the platform's from then on
  if (SetWindowRgn(handle_, savedRegion_.Get(), TRUE)) savedRegion_.Release();
  hasRegion_ = false;
}

void TSkinForm::UnhookOnDestroy() {
  if (!frameSkinning_) {
    UnhookPlain();
    return;
  }
  systemPopup_.reset();
  if (hoverTimer_) hoverTimer_->SetEnabled(false);
  RemoveHooks();
  ReleaseWrappers();
  menuBar_.reset();
  // a window made anew for a form that stays finds its menus as they were
  if (ownerForm_ && !ownerForm_->Destroying()) GiveMenusBack();
  captionBitmap_.Clear();
  captionBack_.Clear();
}

void TSkinForm::UnhookPlain() {
  if (hoverTimer_) hoverTimer_->SetEnabled(false);
  ReleaseWrappers();
  if (!ownerForm_ || !ownerForm_->Destroying()) GiveMenusBack();
  const bool restoreForm = ownerForm_ && life_ != kLifeDestroying;
  if (restoreForm) RestoreFormLook();
  RemoveHooks();
  UnhookMDIClient();
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
  // a window whose frame is not ready yet gets it when its controls are skinned
  const int lifeAfter = life_ == kLifeHooked ? kLifeHooked : kLifeReady;
  life_ = kLifeReskinning;
  const ScopeExit ready([this, lifeAfter] { life_ = lifeAfter; });
  // the new skin's frame widths and caption buttons, and the form's popup menus
  BuildFrame();
  if (frameSkinning_ && ownerForm_) SkinPopupMenus(ownerForm_, true);
  if (frameSkinning_ && fitted_ && windowState_ != kStateMinimized) {
    // the new frame around the same client area, its region built afresh from the new pictures,
    // everything repainted
    captionBitmap_.Clear();
    captionBack_.Clear();
    regionWidth_ = regionHeight_ = 0;
    FitWindow(true);
    ApplyRegion();
    RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  if (focused && focused->CanFocus()) focused->SetFocus();
}

void TSkinForm::Dispose() noexcept {
  RemoveHooks();
  calls_.FreeWhenIdle([this] { Free(); });
}

void TSkinForm::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove) {
    std::erase(paintedBars_, component);
    std::erase(ownerDrawnMenus_, component);
    std::erase_if(savedMenuEvents_, [component](const auto& saved) { return saved.first == component; });
  }
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
    case WM_MEASUREITEM:
      WmMeasureItem(m);
      break;
    case WM_DRAWITEM:
      WmDrawItem(m);
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
    case WM_MENUSELECT:
      MenuSelected(m.WParam, m.LParam);
      Default(m);
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
  if (life_ == kLifeHooked && SharedMaximized()) {
    // a child made while another one is maximised is maximised too: the platform's frame
    SetFrameStyles(true);
    FrameChanged();
  } else if (life_ == kLifeHooked && windowState_ != kStateMinimized && borderStyle_ != kBorderNone) {
    // the first fitting: the frame messages are the skin's from here, the painting from the end
    life_ = kLifeFitting;
    if (AwaitsFirstPaint()) {
      // nothing of it is on screen yet: one invalidation for the first paint instead of two redraws
      FitUnpainted();
      life_ = kLifeReady;
    } else {
      FitWindow(false);
      life_ = kLifeReady;
      ApplyRegion();
    }
  }
  life_ = kLifeReady;
  hoverTimer_->SetEnabled(active_);
}

bool TSkinForm::FormWindowProc(TMessage& m) {
  switch (m.Msg) {
    case kSkinMsgReskin:
      Reskin();
      return true;
    case CM_DIALOGCHAR:
      return WmDialogChar(m);
    default:
      // a new caption is painted by the window procedure, for forms and bare windows alike
      return false;
  }
}

}  // namespace bus
