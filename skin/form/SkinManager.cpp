#include "skin/form/SkinManager.h"

#include <algorithm>
#include <string>
#include <utility>

#include "core/ScopedValue.h"
#include "core/TextUtil.h"
#include "core/WideText.h"
#include "framework/controls/Form.h"
#include "framework/controls/Screen.h"
#include "framework/controls/Timer.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinPopupMenu.h"

namespace bus {

TSkinManage* SkinManager = nullptr;

std::string WindowClassName(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  return Narrow(std::wstring_view(name, std::size_t(std::max(length, 0))));
}

namespace {

TSkinManagerLink* ProvideSkinManager(bool create) {
  if (!SkinManager && create) CreateSkinManager();
  return SkinManager;
}

// The form that owns a component, if its owner is one.
TCustomForm* OwnerForm(const TSkinData* skin) { return dynamic_cast<TCustomForm*>(skin->Owner()); }

}  // namespace

TSkinManage::TSkinManage() : timer_(std::make_unique<TTimer>(nullptr)) {
  timer_->SetEnabled(false);
  timer_->SetInterval(kSkinCommandDelay);
  timer_->SetOnTimer(TNotifyEvent([this](TObject*) { ExecuteCommand(); }));
}

TSkinManage::~TSkinManage() {
  runCount_ = 4;
  timer_.reset();
  if (hook_) UnhookWindowsHookEx(hook_);
  FreePopupMenus();
  // the form objects belong to their forms, or go with their windows
}

void TSkinManage::RegisterSkinData(TSkinData* skin) {
  if (!skin || std::find(skinDatas_.begin(), skinDatas_.end(), skin) != skinDatas_.end()) return;
  skinDatas_.push_back(skin);
  if (!mainSkin_ && skin->SkinFormtype() == TSkinFormType::sfMainform) mainSkin_ = skin;
}

void TSkinManage::UnregisterSkinData(TSkinData* skin) {
  std::erase(skinDatas_, skin);
  if (mainSkin_ == skin) {
    mainSkin_ = nullptr;
    for (TSkinData* s : skinDatas_) {
      if (s->SkinFormtype() == TSkinFormType::sfMainform) {
        mainSkin_ = s;
        break;
      }
    }
  }
  if (currentSkin_ == skin) {
    // its request dies with it
    currentSkin_ = nullptr;
    timer_->SetEnabled(false);
  }
}

void TSkinManage::InstallHook() {
  if (hook_) return;
  platformVersion_ = GetVersion();
  hook_ = SetWindowsHookExW(WH_CBT, &TSkinManage::CbtProc, nullptr, GetCurrentThreadId());
}

void TSkinManage::RequestCommand(int command, unsigned delay) {
  pendingCommand_ = command;
  timer_->SetInterval(delay);
  if (runCount_ != 0) {
    timer_->SetEnabled(true);
    return;
  }
  // before the first window activation nothing is skinned yet: only the switch is recorded
  if (command == kSkinApply) active_ = true;
  else if (command == kSkinRemove) active_ = false;
}

void TSkinManage::ExecuteCommand() {
  TSkinData* skin = currentSkin_;
  if (!skin) return;
  timer_->SetEnabled(false);
  // only the owner form's window, or every window
  TSkinData* only = skin->SkinFormtype() == TSkinFormType::sfOnlyThisForm ? skin : nullptr;
  switch (pendingCommand_) {
    case kSkinApply: {
      active_ = true;
      const ScopedValue<bool> adoptAll(adoptAll_, true);
      if (!only) PurgeClosedForms();
      for (int i = Screen().FormCount() - 1; i >= 0; --i) {
        if (i >= Screen().FormCount()) continue;
        TCustomForm* form = Screen().Forms(i);
        if (only && form != OwnerForm(only)) continue;
        SkinForm(form);
        if (only) break;
      }
      break;
    }
    case kSkinRemove:
      active_ = false;
      RemoveSkin(only);
      break;
    case kSkinRefresh:
      RefreshSkin(skin);
      break;
    case kSkinPurge:
    default:
      PurgeClosedForms();
      break;
  }
  // cleared before the event, so that a request made by its handler is kept
  currentSkin_ = nullptr;
  skin->OnSkinChanged(skin);
}

void TSkinManage::RemoveSkin(TSkinData* skin) {
  PurgeClosedForms();
  for (size_t i = skinForms_.size(); i-- > 0;) {
    if (i >= skinForms_.size()) continue;
    TSkinForm* form = skinForms_[i];
    if (skin && form->SkinData() != skin) continue;
    const HWND window = form->Handle();
    skinForms_.erase(skinForms_.begin() + std::ptrdiff_t(i));
    form->Unhook();
    form->Dispose();
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    if (skin) break;
  }
}

void TSkinManage::RefreshSkin(TSkinData* skin) {
  PurgeClosedForms();
  const std::vector<TSkinForm*> forms = skinForms_;
  for (TSkinForm* form : forms) {
    if (form->SkinData() != skin) continue;
    form->Reskin();
    if (skin->SkinFormtype() == TSkinFormType::sfOnlyThisForm) break;
  }
  // a menu open meanwhile stays in front of the windows refitted under it and shows the new skin
  // at once: its background, items and border are painted anew (its background is rendered from
  // the skin at each paint)
  for (const std::unique_ptr<TSkinPopupMenu>& popup : popupMenus_) {
    if (popup->SkinData() != skin || !popup->Handle()) continue;
    SetWindowPos(popup->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(popup->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  }
}

void TSkinManage::DropCaptionButtons() {
  for (TSkinForm* form : skinForms_) {
    if (form->SkinData() == currentSkin_) form->FreeCaptionButtons();
  }
}

bool TSkinManage::SkinWindow(HWND window) {
  if (!active_) return false;
  PurgeClosedForms();
  TSkinData* skin = AdoptionSkin(window);
  if (!skin) return false;
  TCustomForm* form = Screen().FindForm(window);
  TComponentHolder<TSkinForm> object(new TSkinForm(form));  // freed again when hooking fails
  object->SetHandle(window);
  if (form) object->HookForm(skin, form);
  else object->HookWindow(skin);
  skinForms_.push_back(object.release());
  PostMessageW(window, kSkinMsgSkinControls, 0, 1000);
  return true;
}

void TSkinManage::SkinForm(TCustomForm* form) {
  if (!form || !form->Visible()) return;
  const HWND window = form->Handle();
  if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0 && form->FormStyle() != TFormStyle::fsMDIChild) return;
  SkinWindow(window);
}

TSkinData* TSkinManage::AdoptionSkin(HWND window) const {
  if (!IsWindow(window) || FindSkinForm(window)) return nullptr;
  if (SendMessageW(window, kSkinMsgIsSkinned, 0, 0) == 1) return nullptr;
  TCustomForm* form = Screen().FindForm(window);
  if (!adoptAll_ && (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0) {
    const HWND parent = GetParent(window);
    if (parent && AsciiLower(WindowClassName(parent)) == "mdiclient") return nullptr;
  }
  RECT r{};
  GetWindowRect(window, &r);
  if (std::int64_t(r.right - r.left) * std::int64_t(r.bottom - r.top) == 0) return nullptr;
  if (form && form->Tag() == 99) return nullptr;
  const std::string className = WindowClassName(window);
  if (className == "TApplication" || className == "TQRStandardPreview") return nullptr;
  if (mainSkin_ && !mainSkin_->CanSkinForm(className)) return nullptr;
  TSkinData* skin = SelectSkinData(window);
  if (!skin || skin->SkinEmpty()) return nullptr;
  return skin;
}

TSkinData* TSkinManage::SelectSkinData(HWND window) const {
  TSkinData* found = nullptr;
  for (TSkinData* s : skinDatas_) {
    if (s->SkinFormtype() != TSkinFormType::sfOnlyThisForm) continue;
    TCustomForm* form = OwnerForm(s);
    if (form && form->HandleAllocated() && form->Handle() == window) found = s;
  }
  if (found) return found;
  const std::string className = AsciiLower(WindowClassName(window));
  if (className == "tmessageform" || className == "#32770") {
    for (TSkinData* s : skinDatas_) {
      if (s->SkinFormtype() == TSkinFormType::sfDialog) found = s;
    }
    if (found) return found;
  }
  for (TSkinData* s : skinDatas_) {
    if (s->SkinFormtype() == TSkinFormType::sfMainform) found = s;
  }
  if (found) return found;
  return skinDatas_.empty() ? nullptr : skinDatas_.front();
}

TSkinForm* TSkinManage::FindSkinForm(HWND window) const noexcept {
  const auto it = std::find_if(skinForms_.begin(), skinForms_.end(), [window](const TSkinForm* f) {
    return f->Handle() == window;
  });
  return it == skinForms_.end() ? nullptr : *it;
}

void TSkinManage::RemoveSkinForm(TSkinForm* form) noexcept {
  std::erase(skinForms_, form);
  if (form && form->Kind() == kKindMDIFrame && form->MDIClientWindow() == mdiClient_) SetMDIFrame(nullptr, nullptr);
}

void TSkinManage::SetMDIMaximized(bool maximized) {
  if (maximized == mdiMaximized_) return;
  mdiMaximized_ = maximized;
  for (TSkinForm* form : std::vector<TSkinForm*>(skinForms_)) {
    if (form->Kind() == kKindMDIChild && form->Life() != kLifeDestroying && form->Life() != kLifeGone) form->MDIMaximizedChanged(maximized);
  }
}

bool TSkinManage::SkinMDIChild(HWND window) {
  const ScopedValue<bool> adoptAll(adoptAll_, true);
  return SkinWindow(window);
}

void TSkinManage::PurgeClosedForms() noexcept {
  for (size_t i = skinForms_.size(); i-- > 0;) {
    if (i >= skinForms_.size() || skinForms_[i]->Life() != kLifeGone) continue;
    TSkinForm* form = skinForms_[i];
    skinForms_.erase(skinForms_.begin() + std::ptrdiff_t(i));
    form->Dispose();
  }
}

void TSkinManage::SkinPopupMenu(HWND window) {
  if (!active_ || SendMessageW(window, kSkinMsgIsSkinned, 0, 0) == 1 || IsPopupMenuSkinned(window)) return;
  TSkinData* skin = SelectSkinData(window);
  if (!skin || skin->SkinEmpty()) return;
  const TSkinControlTypes controls = skin->SkinControls();
  bool wanted = false;
  switch (menuMode_) {
    case kMenuModePopup:
      wanted = controls.Contains(TSkinControlType::xcPopupMenu);
      break;
    case kMenuModeDropDown:
      wanted = controls.Contains(TSkinControlType::xcMainMenu) || controls.Contains(TSkinControlType::xcMenuItem);
      break;
    case kMenuModeSystem:
      wanted = controls.Contains(TSkinControlType::xcSystemMenu);
      break;
    default:
      break;
  }
  if (!wanted) return;
  auto popup = std::make_unique<TSkinPopupMenu>();
  popup->Attach(window, skin, nullptr);
  popupMenus_.push_back(std::move(popup));
}

bool TSkinManage::ReleasePopupMenu(HWND window) noexcept {
  const auto it = std::find_if(popupMenus_.begin(), popupMenus_.end(), [window](const auto& p) {
    return p->Handle() == window;
  });
  const bool found = it != popupMenus_.end();
  if (found) {
    const std::unique_ptr<TSkinPopupMenu> popup = std::move(*it);  // freed when the list is whole again
    popupMenus_.erase(it);
    popup->Detach();
  }
  if (popupMenus_.empty()) menuMode_ = kMenuModePopup;
  return found;
}

bool TSkinManage::IsPopupMenuSkinned(HWND window) const noexcept {
  return std::any_of(popupMenus_.begin(), popupMenus_.end(), [window](const auto& p) { return p->Handle() == window; });
}

TBitmap* TSkinManage::FindPopupBackground(HMENU menu) const noexcept {
  TSkinPopupMenu* popup = FindPopupMenu(menu);
  return popup ? &popup->Background() : nullptr;
}

TSkinPopupMenu* TSkinManage::FindPopupMenu(HMENU menu) const noexcept {
  for (const auto& p : popupMenus_)
    if (p->OwnerMenu() == menu) return p.get();
  return nullptr;
}

void TSkinManage::FreePopupMenus() noexcept {
  std::vector<std::unique_ptr<TSkinPopupMenu>> popups = std::move(popupMenus_);
  popupMenus_.clear();
}

void TSkinManage::WindowCreated(HWND window, const CBT_CREATEWNDW& create) {
  if (!create.lpcs) return;
  const std::string className = WindowClassName(window);
  if (className == "ScrollBar" && (create.lpcs->style & SBS_SIZEGRIP) != 0) {
    if (TSkinForm* form = FindSkinForm(create.lpcs->hwndParent)) form->SkinChildWindow(window);
  }
  if ((create.lpcs->style & WS_CHILD) != 0) return;
  if (className == "#32768") SkinPopupMenu(window);
  if (mainSkin_ && mainSkin_->OnWindowCreated) {
    try {
      mainSkin_->OnWindowCreated(mainSkin_, window, className);
    } catch (...) {
      // the program's handler must not keep a window from being created
    }
  }
}

LRESULT CALLBACK TSkinManage::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
  TSkinManage* self = SkinManager;
  if (code < 0 || !self) return CallNextHookEx(nullptr, code, wParam, lParam);
  try {
    const HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && self->runCount_ == 0) self->runCount_ = 1;
    // a menu window's object goes with its window whether or not skinning is on
    if (code == HCBT_DESTROYWND) self->ReleasePopupMenu(window);
    if (self->active_) {
      switch (code) {
        case HCBT_CREATEWND:
          self->WindowCreated(window, *reinterpret_cast<const CBT_CREATEWNDW*>(lParam));
          break;
        case HCBT_ACTIVATE:
          self->SkinWindow(window);
          break;
        default:
          break;
      }
    }
  } catch (...) {
    // a failure to skin never keeps a window from being created, activated or destroyed
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TSkinManage& CreateSkinManager() {
  if (!SkinManager) {
    // freed at program end, before the objects it refers to are gone
    static const struct AtExit {
      ~AtExit() { FreeSkinManager(); }
    } atExit;
    SkinManager = new TSkinManage();
  }
  return *SkinManager;
}

void FreeSkinManager() noexcept { delete std::exchange(SkinManager, nullptr); }

void RegisterSkinClasses() {
  RegisterSkinDataClasses();
  SetSkinManagerProvider(&ProvideSkinManager);
}

}  // namespace bus
