#include "framework/graphics/GraphicsObject.h"

#include <cassert>

namespace bus {

void TGraphicsObject::EndUpdate() {
  assert(updateDepth_ > 0);
  if (--updateDepth_ == 0 && changePending_) Notify();
}

void TGraphicsObject::Changed(std::shared_ptr<const void> retired) {
  if (retired) retired_.push_back(std::move(retired));
  if (updateDepth_ > 0) {
    changePending_ = true;
    return;
  }
  Notify();
}

void TGraphicsObject::Notify() {
  changePending_ = false;
  // released after the handler, also when it throws
  const std::vector<std::shared_ptr<const void>> retired = std::move(retired_);
  retired_.clear();
  if (onChange_) onChange_();
}

}  // namespace bus
