// A component that tells which of the components it watches have been freed (through the
// components' removal notifications), for tests that check that no object outlives its window.
#pragma once

#include <set>

#include "framework/Component.h"

namespace bus::test {

class TFreeWatcher : public TComponent {
public:
  TFreeWatcher() : TComponent(nullptr) {}
  void Watch(TComponent* c) {
    if (alive_.insert(c).second) FreeNotification(c);
  }
  // Watched and not freed yet.
  int Alive() const noexcept { return int(alive_.size()); }

protected:
  void Notification(TComponent* c, TOperation op) override {
    if (op == TOperation::opRemove) alive_.erase(c);
    TComponent::Notification(c, op);
  }

private:
  std::set<TComponent*> alive_;  // watched and not freed yet
};

}  // namespace bus::test
