#include "grid/Container.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TCustomrgContainer::StaticClassInfo() {
  static const TClassInfo info{"TCustomrgContainer", &TCustomControl::StaticClassInfo(), {}, {}};
  return info;
}

TCustomrgContainer::TCustomrgContainer(TComponent* owner) : TCustomControl(owner) {}

void TCustomrgContainer::HideEditor(bool accept) {
  TWinControl* editor = editor_;
  if (!editor) return;
  editor_ = nullptr;
  editor->Hide();
}

void TCustomrgContainer::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == editor_) editor_ = nullptr;
}

}  // namespace bus
