// Components: objects with an owner, a name, a tag and published properties, created from form
// descriptions.
//
// Ownership: a component owns the components created with it as their owner, keeps them in
// creation order (Components) and frees them when it is freed, the last first. Owner-less
// components are allowed and freed by whoever made them.
//
// Destruction runs in two phases because C++ tears an object down from the most derived class up,
// while owned components, child controls and wrappers still need the whole owner while they go:
//   Free()  ->  csDestroying set  ->  Destroying() (virtual; each class does its part, then calls
//   its base: the window is destroyed, child controls and owned components are freed, removal
//   notifications are sent)  ->  delete.
// A plain delete (or a component on the stack) still releases everything, but a derived class's
// Destroying() does not run then; use Free() for anything with a window.
//
// Removal notifications: when a component goes, its owner and the owner's other components get
// Notification(component, opRemove), and so does every component that asked with FreeNotification.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/Exception.h"
#include "framework/Event.h"
#include "framework/Persistent.h"
#include "framework/Set.h"

namespace bus {

class EComponentError : public Exception {
public:
  using Exception::Exception;
};

enum class TComponentStateFlag {
  csLoading,     // its form description is being read; set from creation until Loaded()
  csReading,     // its own properties are being read
  csDestroying,  // Free() has begun
  csDesigning,   // never set: there is no design time
};
using TComponentState = TSet<TComponentStateFlag>;

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  BUS_CLASS(TComponent)
public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  // Frees the component in two phases (see above). Harmless on null through FreeAndNil.
  void Free();

  TComponent* Owner() const noexcept { return owner_; }
  int ComponentCount() const noexcept { return int(components_.size()); }
  TComponent* Components(int index) const { return components_.at(size_t(index)); }
  // Position in the owner's list, or -1 without an owner.
  int ComponentIndex() const noexcept;
  // The owned component with this name (ASCII case ignored), or null.
  TComponent* FindComponent(std::string_view name) const noexcept;

  const std::string& Name() const noexcept { return name_; }
  // Renames; the name must be empty or an identifier, unique among the owner's components.
  // Throws EComponentError otherwise.
  void SetName(const std::string& name);
  std::int32_t Tag() const noexcept { return tag_; }
  void SetTag(std::int32_t tag) noexcept { tag_ = tag; }

  TComponentState ComponentState() const noexcept { return state_; }
  bool Loading() const noexcept { return state_.Contains(TComponentStateFlag::csLoading); }
  bool Destroying() const noexcept { return state_.Contains(TComponentStateFlag::csDestroying); }

  // Moves a component into (or out of) this component's ownership; the owner's components are
  // told with opInsert / opRemove.
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

  // Asks to be told (Notification opRemove) when component is freed; mutual and undone by either.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Where a form description places this component when it is written inside another object
  // (a control inside its parent, a column inside its grid). The base accepts only its owner.
  virtual void SetParentComponent(TComponent* parent);
  virtual TComponent* GetParentComponent() const { return nullptr; }

  // A method the component publishes by name for event binding, as the TEvent it fits; empty when
  // none. Roots (forms) publish their handlers with PublishMethod.
  std::any FindMethod(std::string_view name) const;
  // Stores component in the published field of that name; false when there is no such field.
  // Throws EComponentError when the component is not of the field's class.
  bool BindField(std::string_view name, TComponent* component);

  // Runs Loaded: used by the form description reader once every reference is resolved.
  void LoadedByReader() { Loaded(); }
  void SetLoadingState(bool loading) noexcept;

protected:
  // Runs after the form description has been read, references resolved; clears csLoading.
  virtual void Loaded();
  virtual void Notification(TComponent* component, TOperation operation);
  // First phase of destruction; overrides do their part and then call the base.
  virtual void BeforeDestruction();

  // Publishes a handler: "OnClick = Button1Click" in a description binds Button1Click.
  template <class C, class... A>
  void PublishMethod(const std::string& name, void (C::*method)(A...)) {
    C* self = static_cast<C*>(this);
    methods_[Key(name)] = TEvent<A...>([self, method](A... args) { (self->*method)(std::forward<A>(args)...); });
  }
  // Publishes a field: the component of that name is stored into it when the description creates it.
  template <class T>
  void PublishField(const std::string& name, T** field) {
    fields_[Key(name)] = [field](TComponent* c) {
      if (c == nullptr) {
        *field = nullptr;
        return true;
      }
      T* t = dynamic_cast<T*>(c);
      if (t == nullptr) return false;
      *field = t;
      return true;
    };
  }

private:
  static std::string Key(std::string_view name);
  void ReleaseOwnership();   // frees owned components, tells subscribers, leaves the owner
  void NotifyRemoval(TComponent* component);

  TComponent* owner_ = nullptr;                  // owns this component; null: nobody
  std::vector<TComponent*> components_;          // owned, in creation order
  std::vector<TComponent*> freeNotifies_;        // to be told when this one goes (mutual)
  std::string name_;                             // unique among the owner's components
  std::int32_t tag_ = 0;                         // free for the program's own use
  TComponentState state_;                        // loading, destroying ...
  bool released_ = false;                        // ReleaseOwnership has run
  std::map<std::string, std::any> methods_;      // published handlers by lower-case name
  std::map<std::string, std::function<bool(TComponent*)>> fields_;  // published fields
};

// Frees the component a pointer holds and clears the pointer.
template <class T>
void FreeAndNil(T*& component) {
  T* c = component;
  component = nullptr;
  if (c) c->Free();
}

// Holds a component until it is released to its place (an owner, a list): one that is still held
// when the holder goes is freed (Free), for instance when setting it up failed.
struct TComponentFree {
  void operator()(TComponent* c) const { c->Free(); }
};
template <class T>
using TComponentHolder = std::unique_ptr<T, TComponentFree>;

// True when name is a valid component name (letter or '_', then letters, digits, '_').
bool IsValidIdent(std::string_view name) noexcept;

}  // namespace bus
