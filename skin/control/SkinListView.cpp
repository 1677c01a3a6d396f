#include "skin/control/SkinListView.h"

#include <commctrl.h>

#include "framework/Properties.h"
#include "framework/controls/WinControl.h"
#include "skin/control/SkinHeader.h"

namespace bus {

const TClassInfo& TSkinListView::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSkinListView>("TSkinListView", TSkinScrollbar::StaticClassInfo()).Build();
  return info;
}

void TSkinListView::AttachScrolling(TWinControl& control, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas) {
  if (Attached()) return;
  TSkinScrollbar::AttachScrolling(control, skin, form, canvas);
  const HWND header = reinterpret_cast<HWND>(SendMessageW(Handle(), LVM_GETHEADER, 0, 0));
  if (!header) return;
  TComponentHolder<TSkinHeader> wrapper(new TSkinHeader(&control));
  wrapper->AttachWindow(header, skin, form, canvas);
  header_ = wrapper.release();
  FreeNotification(header_);
}

void TSkinListView::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component == header_) header_ = nullptr;
  TSkinScrollbar::Notification(component, operation);
}

}  // namespace bus
