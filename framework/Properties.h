// Published properties: each class lists the properties it publishes, by name, with their kind,
// identifiers and default, and with a getter and a setter that are the class's own accessors (so a
// value set by name or by a form description goes through exactly the code that a program's own
// assignment runs).
//
// Names are looked up ignoring ASCII letter case, most derived class first. The property routines
// at the end answer the neutral value (0, empty text, none) when the object is missing or has no
// property of that name; they never throw for a missing property.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/Exception.h"
#include "core/StringList.h"
#include "framework/Event.h"
#include "framework/Object.h"
#include "framework/Set.h"

namespace bus {

class TComponent;
class TCollection;
class TStream;

// A property that does not exist, a value of the wrong kind, or text that names no value.
class EPropertyError : public Exception {
public:
  using Exception::Exception;
};

enum class TPropKind {
  Integer,      // whole number; may have identifiers for some values (colours, cursors)
  Enumeration,  // one of a list of identifiers (Booleans: False, True)
  Set,          // any members of a list of identifiers
  Text,         // UTF-8 text
  Object,       // an object the owner holds (Font, Glyph): its properties are set as Font.Name,
                // either properties of the held object or published by the owner under that name
  Reference,    // another component, by name
  Event,        // a handler, bound by method name
  Strings,      // lines of text
  Binary,       // bytes handed to the object's own reader (stored skin, images)
  Collection,   // a list of items, each with its own properties (status panels)
};

// Names for some integer values: colours (clBtnFace) or cursors (crHandPoint).
struct TIntIdents {
  bool (*toValue)(std::string_view ident, std::int64_t& value);  // ident -> value
  bool (*toIdent)(std::int64_t value, std::string& ident);       // value -> ident
};

using TIdentList = std::vector<std::string>;

// Identifiers of TAlignment (framework/Types.h), shared by every class with an Alignment property.
extern const TIdentList kAlignmentNames;

struct TPropInfo {
  std::string name;
  TPropKind kind = TPropKind::Integer;
  const TIdentList* idents = nullptr;         // Enumeration, Set: identifier of ordinal/bit n
  const TIntIdents* intIdents = nullptr;      // Integer: optional value names
  const TClassInfo& (*objectClass)() = nullptr;  // Object, Reference: the class the value must have
  std::int64_t defaultValue = 0;              // Integer, Enumeration, Set (bits)

  std::function<std::int64_t(const TObject&)> getOrdinal;          // Integer, Enumeration, Set
  std::function<void(TObject&, std::int64_t)> setOrdinal;
  std::function<std::string(const TObject&)> getText;              // Text
  std::function<void(TObject&, const std::string&)> setText;
  std::function<TObject*(const TObject&)> getObject;               // Object, Reference, Collection
  std::function<std::any(const TObject&)> getHeld;                 // Object that is no TObject: T*
  std::function<void(TObject&, TObject*)> setObject;               // Reference
  std::function<void(TObject&, const std::any&)> setEvent;         // Event; throws bad_any_cast
  std::function<bool(const TObject&)> eventAssigned;               // Event
  std::function<TStringList(const TObject&)> getStrings;           // Strings
  std::function<void(TObject&, const TStringList&)> setStrings;
  std::function<void(TObject&, TStream&)> readBinary;              // Binary
};

// Everything a class publishes about itself.
struct TClassInfo {
  std::string name;                                   // "TPanel"
  const TClassInfo* parent = nullptr;                 // base class, null for TObject
  std::vector<TPropInfo> properties;                  // own properties, in declaration order
  std::function<TComponent*(TComponent*)> create;     // makes one with an owner; empty: abstract

  // The property of this class or an ancestor (most derived first); null when none.
  const TPropInfo* FindProperty(std::string_view propName) const;
  // True when this class is cls or derives from it.
  bool InheritsFrom(const TClassInfo& cls) const;
  // Every published property, ancestors' first.
  std::vector<const TPropInfo*> AllProperties() const;
};

// Builds a TClassInfo for class C from C's accessors.
template <class C>
class TClassBuilder {
public:
  TClassBuilder(std::string name, const TClassInfo& parent) {
    info_.name = std::move(name);
    info_.parent = &parent;
  }

  // Registers the owner-taking constructor, so a form description can create the class.
  TClassBuilder& Creatable() {
    info_.create = [](TComponent* owner) -> TComponent* { return new C(owner); };
    return *this;
  }

  template <class G, class S>
  TClassBuilder& Int(std::string name, G get, S set, std::int64_t def = 0,
                     const TIntIdents* idents = nullptr) {
    TPropInfo& p = Add(std::move(name), TPropKind::Integer);
    p.defaultValue = def;
    p.intIdents = idents;
    p.getOrdinal = [get](const TObject& o) { return std::int64_t((Self(o).*get)()); };
    if constexpr (!std::is_same_v<S, std::nullptr_t>)
      p.setOrdinal = [set](TObject& o, std::int64_t v) { (Self(o).*set)(ArgOf<S>(v)); };
    return *this;
  }

  template <class G, class S>
  TClassBuilder& Bool(std::string name, G get, S set, bool def) {
    static const TIdentList kBool{"False", "True"};
    TPropInfo& p = Add(std::move(name), TPropKind::Enumeration);
    p.idents = &kBool;
    p.defaultValue = def;
    p.getOrdinal = [get](const TObject& o) { return std::int64_t((Self(o).*get)() ? 1 : 0); };
    if constexpr (!std::is_same_v<S, std::nullptr_t>)
      p.setOrdinal = [set](TObject& o, std::int64_t v) { (Self(o).*set)(v != 0); };
    return *this;
  }

  // An enumeration whose ordinal n is named idents[n].
  template <class G, class S, class E>
  TClassBuilder& Enum(std::string name, G get, S set, const TIdentList& idents, E def) {
    TPropInfo& p = Add(std::move(name), TPropKind::Enumeration);
    p.idents = &idents;
    p.defaultValue = std::int64_t(def);
    p.getOrdinal = [get](const TObject& o) { return std::int64_t((Self(o).*get)()); };
    if constexpr (!std::is_same_v<S, std::nullptr_t>)
      p.setOrdinal = [set](TObject& o, std::int64_t v) { (Self(o).*set)(ArgOf<S>(v)); };
    return *this;
  }

  // A TSet<E> whose bit n is named idents[n].
  template <class G, class S, class E>
  TClassBuilder& SetOf(std::string name, G get, S set, const TIdentList& idents, TSet<E> def) {
    TPropInfo& p = Add(std::move(name), TPropKind::Set);
    p.idents = &idents;
    p.defaultValue = def.Bits();
    p.getOrdinal = [get](const TObject& o) { return std::int64_t((Self(o).*get)().Bits()); };
    if constexpr (!std::is_same_v<S, std::nullptr_t>)
      p.setOrdinal = [set](TObject& o, std::int64_t v) { (Self(o).*set)(TSet<E>::FromBits(std::uint32_t(v))); };
    return *this;
  }

  template <class G, class S>
  TClassBuilder& Text(std::string name, G get, S set) {
    TPropInfo& p = Add(std::move(name), TPropKind::Text);
    p.getText = [get](const TObject& o) { return std::string((Self(o).*get)()); };
    if constexpr (!std::is_same_v<S, std::nullptr_t>)
      p.setText = [set](TObject& o, const std::string& v) { (Self(o).*set)(v); };
    return *this;
  }

  // An object held by C (Font, Glyph): read-only itself, its own properties are set by path.
  template <class O, class G>
  TClassBuilder& Object(std::string name, G get) {
    TPropInfo& p = Add(std::move(name), TPropKind::Object);
    p.objectClass = &O::StaticClassInfo;
    p.getObject = [get](const TObject& o) -> TObject* { return (Self(o).*get)(); };
    return *this;
  }

  // A held object that is no TObject (fonts, bitmaps: the graphics classes); read with
  // GetHeldProperty<T>. Its settings are published as their own properties ("Font.Name").
  template <class T, class G>
  TClassBuilder& Held(std::string name, G get) {
    TPropInfo& p = Add(std::move(name), TPropKind::Object);
    p.getHeld = [get](const TObject& o) { return std::any(static_cast<T*>((Self(o).*get)())); };
    return *this;
  }

  // A reference to another component of class R (or derived), set by the component's name.
  template <class R, class G, class S>
  TClassBuilder& Reference(std::string name, G get, S set) {
    TPropInfo& p = Add(std::move(name), TPropKind::Reference);
    p.objectClass = &R::StaticClassInfo;
    p.getObject = [get](const TObject& o) -> TObject* { return (Self(o).*get)(); };
    p.setObject = [set](TObject& o, TObject* v) {
      R* r = nullptr;
      if (v != nullptr && (r = dynamic_cast<R*>(v)) == nullptr)
        throw EPropertyError(v->ClassName() + " cannot be assigned where a " + R::StaticClassInfo().name +
                             " is expected");
      (Self(o).*set)(r);
    };
    return *this;
  }

  // An event field of type TEvent<A...>; bound to a published method of the same signature.
  template <class... A>
  TClassBuilder& Event(std::string name, TEvent<A...> C::*field) {
    TPropInfo& p = Add(std::move(name), TPropKind::Event);
    p.setEvent = [field](TObject& o, const std::any& v) { Self(o).*field = std::any_cast<TEvent<A...>>(v); };
    p.eventAssigned = [field](const TObject& o) { return (Self(o).*field).Assigned(); };
    return *this;
  }

  template <class G, class S>
  TClassBuilder& Strings(std::string name, G get, S set) {
    TPropInfo& p = Add(std::move(name), TPropKind::Strings);
    p.getStrings = [get](const TObject& o) { return TStringList((Self(o).*get)()); };
    p.setStrings = [set](TObject& o, const TStringList& v) { (Self(o).*set)(v); };
    return *this;
  }

  // Bytes that the object reads itself from a stream positioned at their start.
  template <class R>
  TClassBuilder& Binary(std::string name, R read) {
    TPropInfo& p = Add(std::move(name), TPropKind::Binary);
    p.readBinary = [read](TObject& o, TStream& s) { (Self(o).*read)(s); };
    return *this;
  }

  template <class G>
  TClassBuilder& Collection(std::string name, G get) {
    TPropInfo& p = Add(std::move(name), TPropKind::Collection);
    p.getObject = [get](const TObject& o) -> TObject* { return (Self(o).*get)(); };
    return *this;
  }

  TClassInfo Build() { return std::move(info_); }

private:
  static C& Self(const TObject& o) { return const_cast<C&>(static_cast<const C&>(o)); }
  // The parameter type of a one-argument setter, built from an ordinal.
  template <class S>
  struct SetterArg;
  template <class R, class K, class T>
  struct SetterArg<R (K::*)(T)> {
    using type = std::remove_cvref_t<T>;
  };
  template <class R, class K, class T>
  struct SetterArg<R (K::*)(T) noexcept> {
    using type = std::remove_cvref_t<T>;
  };
  template <class S>
  static typename SetterArg<S>::type ArgOf(std::int64_t v) {
    return static_cast<typename SetterArg<S>::type>(v);
  }
  TPropInfo& Add(std::string name, TPropKind kind) {
    info_.properties.emplace_back();
    TPropInfo& p = info_.properties.back();
    p.name = std::move(name);
    p.kind = kind;
    return p;
  }

  TClassInfo info_;  // what is being built
};

// --- Property routines ----------------------------------------------------------------------

// The property named name of obj's class, or null (obj may be null).
const TPropInfo* FindProperty(const TObject* obj, std::string_view name);

// Integer property value, else 0.
std::int64_t GetIntProperty(const TObject* obj, std::string_view name);
// Identifier of an enumeration's value ("True", "cbChecked"), else empty.
std::string GetEnumPropertyName(const TObject* obj, std::string_view name);
// Text property value (UTF-8), else empty.
std::string GetTextProperty(const TObject* obj, std::string_view name);
// Object or reference property value when it is of class cls (or derived; null cls: any), else null.
TObject* GetObjectProperty(const TObject* obj, std::string_view name, const TClassInfo* cls = nullptr);
template <class T>
T* GetObjectProperty(const TObject* obj, std::string_view name) {
  return dynamic_cast<T*>(GetObjectProperty(obj, name, nullptr));
}
// A held object of type T (Font, Glyph), or null.
template <class T>
T* GetHeldProperty(const TObject* obj, std::string_view name) {
  const TPropInfo* p = FindProperty(obj, name);
  if (!p || !p->getHeld) return nullptr;
  const std::any held = p->getHeld(*obj);
  T* const* t = std::any_cast<T*>(&held);
  return t ? *t : nullptr;
}
// Sets an enumeration by identifier (ASCII case ignored) or an integer from decimal text; other
// kinds, unknown names and values that name nothing are left alone.
void SetPropertyText(TObject* obj, std::string_view name, std::string_view value);

// Any property as text: integers in decimal (or their identifier), enumerations by identifier, sets
// as "[a, b]", texts as they are, references by component name (empty for none), lines joined with
// CR LF. Empty for a missing property.
std::string GetPropertyValue(const TObject* obj, std::string_view name);
// Sets a property from the text GetPropertyValue gives; a dotted name ("Font.Name") reaches into
// held objects. References are looked up by name among lookupRoot's components. Throws
// EPropertyError for an unknown name or a value that does not fit.
void SetPropertyValue(TObject* obj, std::string_view name, std::string_view value, TComponent* lookupRoot = nullptr);

// Ordinal of ident in idents (ASCII case ignored), or -1.
int IdentIndex(const TIdentList& idents, std::string_view ident);

// --- What the property setter and the form description reader share ------------------------

// The property a name leads to from an object. A dotted name ("Font.Name") is the property of
// that name when the object has one, else a path through the objects its object properties hold.
struct TPropertyPath {
  TObject* object = nullptr;        // the object that has the property
  const TPropInfo* prop = nullptr;  // the property; null when the name leads nowhere
  std::string error;                // why it leads nowhere ("TFoo has no property Bar")
};
TPropertyPath ResolvePropertyPath(TObject* obj, std::string_view name);

// The value an identifier stands for in property p: an enumeration's ordinal, an integer's named
// value ("clRed"). Throws EPropertyError "'x' is not a value for P".
std::int64_t IdentOrdinal(const TPropInfo& p, std::string_view ident);
// The bits of a set property p with the members named. Throws EPropertyError
// "'x' is not a member of P".
std::int64_t SetOrdinal(const TPropInfo& p, const std::vector<std::string_view>& members);

}  // namespace bus
