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
  SkinHeader();
}

void TSkinListView::AfterDefault(TMessage& m) {
  TSkinScrollbar::AfterDefault(m);
  switch (m.Msg) {
    case WM_STYLECHANGED:
    case LVM_SETVIEW:
    case LVM_INSERTCOLUMNA:
    case LVM_INSERTCOLUMNW:
      SkinHeader();
      break;
    default:
      break;
  }
}

void TSkinListView::SkinHeader() {
  if (Status() == kWrapperGone || !Control()) return;
  const HWND header = reinterpret_cast<HWND>(SendMessageW(Handle(), LVM_GETHEADER, 0, 0));
  if (!header || (header_ && header_->Handle() == header)) return;
  TComponentHolder<TSkinHeader> wrapper(new TSkinHeader(Control()));
  wrapper->AttachWindow(header, SkinData(), Form(), Canvas());
  header_ = wrapper.release();
  FreeNotification(header_);
}

void TSkinListView::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component == header_) header_ = nullptr;
  TSkinScrollbar::Notification(component, operation);
}

}  // namespace bus
