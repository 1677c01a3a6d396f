#include "framework/controls/Frame.h"

#include "framework/DescriptionReader.h"
#include "framework/Properties.h"

namespace bus {

const TClassInfo& TCustomFrame::StaticClassInfo() {
  static const TClassInfo info{"TCustomFrame", &TScrollingWinControl::StaticClassInfo(), {}, {}};
  return info;
}
const TClassInfo& TFrame::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TFrame>("TFrame", TCustomFrame::StaticClassInfo()).Creatable().Build();
  return info;
}

TCustomFrame::TCustomFrame(TComponent* owner) : TScrollingWinControl(owner) { SetBounds(0, 0, 320, 240); }

void TCustomFrame::Build(std::string_view description) { ReadDescription(description, *this, false); }

}  // namespace bus
