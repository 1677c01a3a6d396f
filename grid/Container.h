// The base of the grid family: a custom-drawn windowed control that can host one in-place editor
// window. Editors are opened by grids that allow editing; a grid in row-select mode never opens
// one, and then the container only answers that no editor is active.
#pragma once

#include "framework/controls/CustomControl.h"

namespace bus {

class TCustomrgContainer : public TCustomControl {
  BUS_CLASS(TCustomrgContainer)
public:
  explicit TCustomrgContainer(TComponent* owner);

  // The editor window while one is open, else null.
  TWinControl* InplaceEditor() const noexcept { return editor_; }
  bool EditorActive() const noexcept { return editor_ != nullptr; }
  // Closes an open editor; with accept its value is kept (written by the editor's owner).
  virtual void HideEditor(bool accept = true);

protected:
  // Adopts an editor window as the hosted one (null: none).
  void SetInplaceEditor(TWinControl* editor) noexcept { editor_ = editor; }
  void Notification(TComponent* component, TOperation operation) override;

private:
  TWinControl* editor_ = nullptr;  // hosted editor, not owned
};

}  // namespace bus
