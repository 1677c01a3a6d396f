#include "framework/controls/CustomControl.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TCustomControl::StaticClassInfo() {
  static const TClassInfo info{"TCustomControl", &TWinControl::StaticClassInfo(), {}, {}};
  return info;
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc) {
  canvas_->FreeHandle();
  canvas_->SetHandle(dc);
  try {
    Paint();
  } catch (...) {
    canvas_->SetHandle(nullptr);
    throw;
  }
  canvas_->SetHandle(nullptr);
}

}  // namespace bus
