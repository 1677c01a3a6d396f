// TSkinComBox: the wrapper of combo boxes (and of date-time pickers with a drop-down calendar).
// Attaching to a drop-down combo box also subclasses its edit field, so the field's own painting
// and mouse presses reach the wrapper; a simple combo box (CBS_SIMPLE) instead has the scroll bars
// of its list window skinned by a TSkinScrollbarH. It switches off and on and detaches as every
// wrapper does; it draws no skin of its own so far.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/control/SkinControl.h"

namespace bus {

class TSkinScrollbarH;
class TWindowSubclass;

class TSkinComBox : public TSkinControl {
  BUS_CLASS(TSkinComBox)
public:
  explicit TSkinComBox(TComponent* owner);
  ~TSkinComBox() override;

  // The base attach, then the edit field (drop-down kinds) or the list's scroll bars (simple).
  void AttachControl(TSkinWrapperHost* form, TSkinData* skin, bool recolour, TCanvas* canvas) override;
  void AfterDefault(TMessage& m) override;

  // The window's style words at attaching.
  DWORD Style() const noexcept { return style_; }
  // The list window of a simple combo box, the edit field of a drop-down one; null otherwise.
  HWND ListHandle() const noexcept { return listHandle_; }
  HWND EditHandle() const noexcept { return editHandle_; }
  // The wrapper of a simple combo box's list, or null.
  TSkinScrollbarH* ListScrollbars() const noexcept { return listScrollbars_; }

private:
  void SubclassEdit();
  bool EditWndProc(TMessage& m);
  void SetPressed(bool pressed);

  DWORD style_ = 0;                               // the window style at attaching
  HWND listHandle_ = nullptr;                     // a simple combo box's list window
  HWND editHandle_ = nullptr;                     // a drop-down combo box's edit field
  std::unique_ptr<TWindowSubclass> editHook_;     // our procedure on the edit field
  TSkinScrollbarH* listScrollbars_ = nullptr;     // owned by the combo box (its control)
};

}  // namespace bus
