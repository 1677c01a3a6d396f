// TNCObject: a clickable object in a skinned window's non-client area (a caption button, later a
// menu bar item). It lives in window coordinates (origin at the window's top-left corner) and moves
// between three states as the mouse goes over it and presses it; at most one object of a window is
// hot or pressed at a time, and the window's form object knows which (HotObject).
//
//   normal (1) --MouseMove--> hot (3) --MouseDown--> pressed (2) --MouseUp--> hot (3)
//   any state --MouseLeave--> normal (1)
//
// Only visible objects react (Visible is the answer of the last visibility test). Each change of
// state repaints the object at once (Paint), straight onto the window.
#pragma once

#include <windows.h>

namespace bus {

class TSkinForm;

// State of a non-client object.
inline constexpr int kNCNormal = 1;
inline constexpr int kNCPressed = 2;
inline constexpr int kNCHot = 3;

class TNCObject {
public:
  explicit TNCObject(TSkinForm& form) noexcept : form_(form) {}
  virtual ~TNCObject();
  TNCObject(const TNCObject&) = delete;
  TNCObject& operator=(const TNCObject&) = delete;

  // The object another one leaves hot first; this one becomes the hot object, pressed.
  virtual void MouseDown();
  // Pressed becomes hot again.
  virtual void MouseUp();
  // Becomes the hot object (the previous one leaves first); nothing when it is already.
  virtual void MouseMove();
  // No longer hot: normal again.
  virtual void MouseLeave();
  // Draws the object in its state; nothing in the base.
  virtual void Paint() {}

  TSkinForm& Form() const noexcept { return form_; }
  const RECT& Rect() const noexcept { return rect_; }
  void SetRect(const RECT& r) noexcept { rect_ = r; }
  bool Visible() const noexcept { return visible_; }
  void SetVisible(bool v) noexcept { visible_ = v; }
  int State() const noexcept { return state_; }
  void SetState(int state) noexcept { state_ = state; }

private:
  TSkinForm& form_;      // the owning form object
  RECT rect_{};          // window coordinates
  bool visible_ = false; // result of the last visibility test
  int state_ = kNCNormal;  // kNCNormal, kNCPressed, kNCHot
};

}  // namespace bus
