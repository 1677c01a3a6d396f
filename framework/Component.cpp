#include "framework/Component.h"

#include <algorithm>
#include <cassert>

#include "core/TextUtil.h"
#include "framework/Properties.h"

namespace bus {

const TClassInfo& TPersistent::StaticClassInfo() {
  static const TClassInfo info{"TPersistent", &TObject::StaticClassInfo(), {}, {}};
  return info;
}

const TClassInfo& TComponent::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TComponent>("TComponent", TPersistent::StaticClassInfo())
                                     .Creatable()
                                     .Text("Name", &TComponent::Name, &TComponent::SetName)
                                     .Int("Tag", &TComponent::Tag, &TComponent::SetTag)
                                     .Build();
  return info;
}

bool IsValidIdent(std::string_view name) noexcept {
  if (name.empty()) return false;
  auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
  if (!alpha(name[0])) return false;
  return std::all_of(name.begin() + 1, name.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  // reached through Free() after BeforeDestruction, or by a plain delete: release in both cases
  state_.Include(TComponentStateFlag::csDestroying);
  ReleaseOwnership();
}

void TComponent::Free() {
  if (!state_.Contains(TComponentStateFlag::csDestroying)) {
    state_.Include(TComponentStateFlag::csDestroying);
    BeforeDestruction();
  }
  delete this;
}

void TComponent::BeforeDestruction() { ReleaseOwnership(); }

// Tells the subscribers, frees the owned components (last first), then leaves the owner, whose
// components hear about it. Runs once.
void TComponent::ReleaseOwnership() {
  if (released_) return;
  released_ = true;
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    auto& theirs = other->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    other->Notification(this, TOperation::opRemove);
  }
  while (!components_.empty()) {
    TComponent* c = components_.back();
    c->Free();  // leaves our list through RemoveComponent
    assert(components_.empty() || components_.back() != c);
  }
  if (owner_) owner_->RemoveComponent(this);
}

int TComponent::ComponentIndex() const noexcept {
  if (!owner_) return -1;
  auto& list = owner_->components_;
  return int(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const noexcept {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (EqualsIgnoringAsciiCase(c->name_, name)) return c;
  return nullptr;
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (!name.empty() && !IsValidIdent(name))
    throw EComponentError("'" + name + "' is not a valid component name");
  if (owner_ && !name.empty()) {
    TComponent* other = owner_->FindComponent(name);
    if (other && other != this) throw EComponentError("a component named " + name + " already exists");
  }
  name_ = name;
}

void TComponent::InsertComponent(TComponent* component) {
  assert(component && component->owner_ == nullptr);
  if (!component->name_.empty() && FindComponent(component->name_))
    throw EComponentError("a component named " + component->name_ + " already exists");
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  auto it = std::find(components_.begin(), components_.end(), component);
  if (it == components_.end()) return;
  components_.erase(it);
  component->owner_ = nullptr;
  NotifyRemoval(component);
}

// Tells this component and everything it owns that component is going.
void TComponent::NotifyRemoval(TComponent* component) { Notification(component, TOperation::opRemove); }

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove) RemoveFreeNotification(component);
  // a handler may free components: walk a copy and skip the ones that left meanwhile
  const std::vector<TComponent*> owned = components_;
  for (auto it = owned.rbegin(); it != owned.rend(); ++it)
    if (std::find(components_.begin(), components_.end(), *it) != components_.end())
      (*it)->Notification(component, operation);
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
    freeNotifies_.push_back(component);
  auto& theirs = component->freeNotifies_;
  if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component), freeNotifies_.end());
  auto& theirs = component->freeNotifies_;
  theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::SetParentComponent(TComponent* parent) {
  if (parent != nullptr && parent != owner_)
    throw EComponentError("a " + ClassName() + " cannot be placed inside " +
                          (parent->Name().empty() ? parent->ClassName() : parent->Name()));
}

std::string TComponent::Key(std::string_view name) { return AsciiLower(name); }

std::any TComponent::FindMethod(std::string_view name) const {
  auto it = methods_.find(Key(name));
  return it == methods_.end() ? std::any() : it->second;
}

bool TComponent::BindField(std::string_view name, TComponent* component) {
  auto it = fields_.find(Key(name));
  if (it == fields_.end()) return false;
  if (!it->second(component))
    throw EComponentError("the field " + std::string(name) + " cannot hold a " + component->ClassName());
  return true;
}

void TComponent::SetLoadingState(bool loading) noexcept {
  if (loading) state_.Include(TComponentStateFlag::csLoading);
  else state_.Exclude(TComponentStateFlag::csLoading);
}

void TComponent::Loaded() { state_.Exclude(TComponentStateFlag::csLoading); }

}  // namespace bus
