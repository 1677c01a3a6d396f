#include "skin/form/NCObject.h"

#include "skin/form/SkinForm.h"

namespace bus {

TNCObject::~TNCObject() {
  // a freed object is never left as the hot one
  if (form_.HotObject() == this) form_.SetHotObject(nullptr);
}

void TNCObject::MouseDown() {
  if (TNCObject* hot = form_.HotObject(); hot && hot != this) hot->MouseLeave();
  if (!visible_) return;
  form_.SetHotObject(this);
  state_ = kNCPressed;
  Paint();
}

void TNCObject::MouseUp() {
  if (!visible_) return;
  state_ = kNCHot;
  Paint();
}

void TNCObject::MouseMove() {
  if (form_.HotObject() == this) return;
  if (TNCObject* hot = form_.HotObject()) hot->MouseLeave();
  if (!visible_) return;
  form_.SetHotObject(this);
  state_ = kNCHot;
  Paint();
}

void TNCObject::MouseLeave() {
  // an object hidden while it was hot still stops being the hot one
  if (form_.HotObject() == this) form_.SetHotObject(nullptr);
  state_ = kNCNormal;
  if (visible_) Paint();
}

}  // namespace bus
