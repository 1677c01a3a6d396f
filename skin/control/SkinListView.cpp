#include "skin/control/SkinListView.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSkinListView::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinListView>("TSkinListView", TSkinScrollbar::StaticClassInfo()).Build();
  return info;
}

}  // namespace bus
