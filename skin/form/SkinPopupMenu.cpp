#include "skin/form/SkinPopupMenu.h"

#include "framework/controls/WindowSubclass.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/control/SkinDrawing.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinManager.h"

namespace bus {

namespace {
TSkinPopupMenu* gPendingPopup = nullptr;  // painted, menu not known yet
constexpr int kBorder = 3;                // width of the border strips copied onto the window

// The window's rectangle at the origin.
RECT WindowBox(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {0, 0, r.right - r.left, r.bottom - r.top};
}
}  // namespace

TSkinPopupMenu* TSkinPopupMenu::PendingPopup() noexcept { return gPendingPopup; }

void TSkinPopupMenu::SetPendingPopup(TSkinPopupMenu* popup) noexcept { gPendingPopup = popup; }

TSkinPopupMenu::TSkinPopupMenu() = default;

TSkinPopupMenu::~TSkinPopupMenu() { Detach(); }

void TSkinPopupMenu::Attach(HWND window, TSkinData* skin, HMENU menu) {
  hook_ = std::make_unique<TWindowSubclass>(window, [this](TMessage& m) { return WndProc(m); });
  handle_ = window;
  skinData_ = skin;
  ownerMenu_ = menu;
}

void TSkinPopupMenu::Detach() noexcept {
  if (gPendingPopup == this) gPendingPopup = nullptr;
  if (!handle_) return;
  hook_->Remove();
  handle_ = nullptr;
  background_.Clear();
}

bool TSkinPopupMenu::WndProc(TMessage& m) {
  switch (m.Msg) {
    case kSkinMsgIsSkinned:
      m.Result = 1;
      return true;
    case WM_DESTROY: {
      // released whether or not skinning is on, so that a new window with this handle is not
      // taken for a skinned one
      const HWND window = handle_;
      Detach();
      if (SkinManager) SkinManager->ReleasePopupMenu(window);  // may free this object
      return false;
    }
    default:
      break;
  }
  if (!SkinManager || !SkinManager->Active()) return false;
  switch (m.Msg) {
    case WM_NCPAINT:
      // the platform's own border is not drawn
      if (!PaintBorder()) return false;
      m.Result = 0;
      return true;
    case WM_PAINT:
      if (!CanPaint()) return false;
      WmPaint(m);
      return true;
    case WM_PRINT:
      if (!CanPaint()) return false;
      PrintMenu(m);
      return true;
    default:
      return false;
  }
}

bool TSkinPopupMenu::CanPaint() const noexcept {
  if (!skinData_ || skinData_->SkinEmpty()) return false;
  const TDataSkinObject* object = skinData_->MenuBackground();
  return object && !object->Image().Empty();
}

void TSkinPopupMenu::RenderBackground(const RECT& rect) {
  const TDataSkinObject& object = *skinData_->MenuBackground();
  const std::unique_ptr<TBitmap> b =
      RenderSkinImage(rect, object.Image(), object.Margins(), false, object.Tile() == 1, 1, 1);
  background_.Assign(*b);
  RECT window{};
  GetWindowRect(handle_, &window);
  POINT client{0, 0};
  ClientToScreen(handle_, &client);
  clientOrigin_ = {client.x - window.left, client.y - window.top};
  if (!ownerMenu_) gPendingPopup = this;
}

void TSkinPopupMenu::CopyBorder(HDC dc) {
  const int w = background_.Width(), h = background_.Height();
  HDC source = background_.Canvas().Handle();
  BitBlt(dc, 0, 0, w, kBorder, source, 0, 0, SRCCOPY);
  BitBlt(dc, 0, h - kBorder, w, kBorder, source, 0, h - kBorder, SRCCOPY);
  BitBlt(dc, 0, kBorder, kBorder, h - kBorder, source, 0, kBorder, SRCCOPY);
  BitBlt(dc, w - kBorder, kBorder, kBorder, h - kBorder, source, w - kBorder, kBorder, SRCCOPY);
}

bool TSkinPopupMenu::PaintBorder() {
  if (!handle_ || !CanPaint()) return false;
  RenderBackground(WindowBox(handle_));
  if (background_.Empty()) return true;
  const WindowDC dc = WindowDC::Whole(handle_);
  if (dc) CopyBorder(dc.Get());
  return true;
}

void TSkinPopupMenu::WmPaint(TMessage& m) {
  RenderBackground(WindowBox(handle_));
  hook_->Default(m);
  if (background_.Empty() || !handle_) return;
  const WindowDC dc = WindowDC::Whole(handle_);
  if (dc) CopyBorder(dc.Get());
}

void TSkinPopupMenu::PrintMenu(TMessage& m) {
  const auto dc = reinterpret_cast<HDC>(m.WParam);
  const RECT box = WindowBox(handle_);
  RenderBackground(box);
  if (background_.Empty()) {
    hook_->Default(m);
    return;
  }
  BitBlt(dc, 0, 0, background_.Width(), background_.Height(), background_.Canvas().Handle(), 0, 0, SRCCOPY);
  const SavedDCState keep(dc);  // the clipping and the background mode come back
  SetBkMode(dc, TRANSPARENT);
  IntersectClipRect(dc, box.left + kBorder, box.top + kBorder, box.right - kBorder, box.bottom - kBorder);
  hook_->Default(m);
}

}  // namespace bus
