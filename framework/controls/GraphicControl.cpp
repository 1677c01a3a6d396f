#include "framework/controls/GraphicControl.h"

#include "framework/Properties.h"
#include "framework/controls/CanvasBinding.h"
#include "framework/controls/WinControl.h"

namespace bus {

const TClassInfo& TGraphicControl::StaticClassInfo() {
  static const TClassInfo info{"TGraphicControl", &TControl::StaticClassInfo(), {}, {}};
  return info;
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Update() {
  if (Parent()) Parent()->Update();
}

void TGraphicControl::WndProc(TMessage& m) {
  if (m.Msg == WM_PAINT && m.WParam) {
    CanvasBinding binding(*canvas_, reinterpret_cast<HDC>(m.WParam));
    Paint();
    return;
  }
  TControl::WndProc(m);
}

}  // namespace bus
