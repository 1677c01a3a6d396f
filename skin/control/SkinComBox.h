// TSkinComBox: the wrapper of combo boxes (and of date-time pickers with a drop-down calendar). It
// draws the box's frame and its drop-down button from the skin, over the box's own painting and
// composed with it off screen: with a skin whose combo images are composed (ComboButton Style 2)
// the whole box is one nine-slice frame of ComboButton (SunkEdge, which holds the mirrored copy,
// for a button on the left) whose middle lets the text show through; otherwise the SunkEdge frame
// around the text area, the ComboButton frame over the button and the ExtraImages arrow on it.
// Frames by state: 1 normal, 2 pressed, 3 disabled, 4 hot or focused. A skin without ComboButton
// leaves the box's own look.
//
// The button is drawn on the side where the box has it (the platform places it on the left for
// WS_EX_LEFTSCROLLBAR, or not); where the box cannot say, the style decides.
//
// Attaching to a drop-down combo box also subclasses its edit field, so that a press on the field
// shows the button pressed; a simple combo box (CBS_SIMPLE) instead has the scroll bars of its list
// window skinned by a TSkinScrollbarH. The box's behaviour (the list dropping down, a choice
// landing in the box, typing in the field) stays its own.
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

  // The base attach, then the edit field (drop-down kinds) or the list's scroll bars (simple), then
  // a repaint of the whole box, frame included.
  void AttachControl(TSkinWrapperHost* form, TSkinData* skin, bool recolour, TCanvas* canvas) override;
  // The base attach, then the edit field as AttachControl does.
  void AttachWindow(HWND handle, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas) override;
  // The base's, then the edit field's procedure is given back.
  void Detach() override;
  // WM_PAINT without a DC is answered with the box's painting and the skin composed; WM_NCPAINT of
  // a box with a frame (a picker's client edge) draws the skin's frame there.
  bool BeforeDefault(TMessage& m) override;
  // Presses and releases set and clear the pressed state, the mouse entering and leaving the hot
  // state, each with a repaint.
  void AfterDefault(TMessage& m) override;
  // Draws frame and button for the state over rect (the window at the origin); the text area is
  // left as the box painted it.
  void PaintTo(HDC dc, const RECT& rect) override;

  // The frame for state `state` in the flat style: the edge in the DC's brush, the button area
  // filled with it and the ComboButton frame stretched over it, an outer ButtonShadow line.
  void PaintFlat(HDC dc, const RECT& rect);

  // The window's style words at the last paint (at attaching before that).
  DWORD Style() const noexcept { return style_; }
  DWORD ExStyle() const noexcept { return exStyle_; }
  // The list window of a simple combo box, the edit field of a drop-down one; null otherwise.
  HWND ListHandle() const noexcept { return listHandle_; }
  HWND EditHandle() const noexcept { return editHandle_; }
  // The wrapper of a simple combo box's list, or null.
  TSkinScrollbarH* ListScrollbars() const noexcept { return listScrollbars_; }
  // What the box said of itself at the last paint (cbSize 0 when it could not say).
  const COMBOBOXINFO& ComboInfo() const noexcept { return comboInfo_; }
  // The frame the state shows: 2 pressed, 4 hot or focused, 3 disabled, else 1.
  int FrameState() const;
  // Whether the button is drawn on the left (from the mirrored image).
  bool ButtonOnLeft() const;

protected:
  void Notification(TComponent* component, TOperation operation) override;
  bool PaintsFrame() const noexcept override { return true; }

private:
  // The edit field or the list, as the style asks.
  void AttachParts(TSkinData* skin, TSkinWrapperHost* form);
  void SubclassEdit();
  bool EditWndProc(TMessage& m);
  void SetPressed(bool pressed);
  void SetHot(bool hot);
  // Refreshes the style words and ComboInfo; false when the box has no button to draw.
  bool ReadState();

  DWORD style_ = 0;                               // the window style
  DWORD exStyle_ = 0;                             // the extended window style
  HWND listHandle_ = nullptr;                     // a simple combo box's list window
  HWND editHandle_ = nullptr;                     // a drop-down combo box's edit field
  std::unique_ptr<TWindowSubclass> editHook_;     // our procedure on the edit field
  TSkinScrollbarH* listScrollbars_ = nullptr;     // owned by the control (or by this wrapper)
  COMBOBOXINFO comboInfo_{};                      // the box's parts at the last paint
};

}  // namespace bus
