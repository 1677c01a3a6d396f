#include "framework/controls/CustomControl.h"

#include "framework/Properties.h"
#include "framework/controls/CanvasBinding.h"

namespace bus {

const TClassInfo& TCustomControl::StaticClassInfo() {
  static const TClassInfo info{"TCustomControl", &TWinControl::StaticClassInfo(), {}, {}};
  return info;
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc) {
  CanvasBinding binding(*canvas_, dc);
  Paint();
}

}  // namespace bus
