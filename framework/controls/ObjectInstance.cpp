#include "framework/controls/ObjectInstance.h"

#include <map>
#include <memory>

#include "framework/controls/Application.h"

namespace bus {

namespace {

std::map<WNDPROC, std::unique_ptr<TObjectInstance>>& PlainInstances() {
  static std::map<WNDPROC, std::unique_ptr<TObjectInstance>> instances;  // made by MakeObjectInstance
  return instances;
}

}  // namespace

TObjectInstance::TObjectInstance(TWndMethod handler)
    : handler_(std::move(handler)), stub_(&TObjectInstance::Dispatch, this) {}

TObjectInstance::~TObjectInstance() = default;

LRESULT TObjectInstance::Dispatch(HWND, UINT msg, WPARAM wParam, LPARAM lParam, void* self) {
  TMessage m{msg, wParam, lParam, 0};
  try {
    static_cast<TObjectInstance*>(self)->handler_(m);
  } catch (...) {
    HandleCurrentException(nullptr);
  }
  return m.Result;
}

WNDPROC MakeObjectInstance(TWndMethod handler) {
  auto instance = std::make_unique<TObjectInstance>(std::move(handler));
  const WNDPROC proc = instance->Proc();
  PlainInstances()[proc] = std::move(instance);
  return proc;
}

void FreeObjectInstance(WNDPROC proc) noexcept { PlainInstances().erase(proc); }

}  // namespace bus
