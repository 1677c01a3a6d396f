#include "framework/controls/ControlCanvas.h"

#include <algorithm>
#include <vector>

#include "framework/controls/WinControl.h"

namespace bus {

namespace {
std::vector<TControlCanvas*>& Holding() {
  static std::vector<TControlCanvas*> canvases;  // canvases holding a DC of their own
  return canvases;
}
}  // namespace

TControlCanvas::TControlCanvas(TControl* control) : control_(control) {}

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
  HWND window = nullptr;
  if (auto* w = dynamic_cast<TWinControl*>(control_)) {
    window = w->HandleIfAllocated() ? w->Handle() : nullptr;
  } else if (control_->Parent() && control_->Parent()->HandleAllocated()) {
    window = control_->Parent()->Handle();
  }
  if (!window) return;  // nothing to draw on yet
  WindowDC dc = WindowDC::Adopt(window, GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS));
  if (!dc) return;
  if (control_->IsWindowless()) {
    SetViewportOrgEx(dc.Get(), control_->Left(), control_->Top(), nullptr);
    IntersectClipRect(dc.Get(), 0, 0, control_->Width(), control_->Height());
  }
  ownDC_ = std::move(dc);
  Holding().push_back(this);
  SetHandle(ownDC_->Get());
}

void TControlCanvas::FreeHandle() {
  if (!ownDC_) return;
  SetHandle(nullptr);
  ownDC_.reset();
  std::erase(Holding(), this);
}

void TControlCanvas::FreeDeviceContexts() {
  while (!Holding().empty()) Holding().back()->FreeHandle();
}

}  // namespace bus
