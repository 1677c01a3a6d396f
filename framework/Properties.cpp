#include "framework/Properties.h"

#include <charconv>

#include "core/TextUtil.h"
#include "framework/Collection.h"
#include "framework/Component.h"

namespace bus {

const TIdentList kAlignmentNames{"taLeftJustify", "taRightJustify", "taCenter"};

const TClassInfo& TObject::StaticClassInfo() {
  static const TClassInfo info{"TObject", nullptr, {}, {}};
  return info;
}

const std::string& TObject::ClassName() const { return ClassInfo().name; }

bool TObject::InheritsFrom(std::string_view className) const {
  for (const TClassInfo* c = &ClassInfo(); c != nullptr; c = c->parent)
    if (EqualsIgnoringAsciiCase(c->name, className)) return true;
  return false;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view propName) const {
  for (const TClassInfo* c = this; c != nullptr; c = c->parent)
    for (const TPropInfo& p : c->properties)
      if (EqualsIgnoringAsciiCase(p.name, propName)) return &p;
  return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo& cls) const {
  for (const TClassInfo* c = this; c != nullptr; c = c->parent)
    if (c == &cls) return true;
  return false;
}

std::vector<const TPropInfo*> TClassInfo::AllProperties() const {
  std::vector<const TPropInfo*> all = parent ? parent->AllProperties() : std::vector<const TPropInfo*>{};
  for (const TPropInfo& p : properties) {
    // a redeclared property replaces the ancestor's in place
    bool replaced = false;
    for (auto& q : all)
      if (EqualsIgnoringAsciiCase(q->name, p.name)) {
        q = &p;
        replaced = true;
      }
    if (!replaced) all.push_back(&p);
  }
  return all;
}

int IdentIndex(const TIdentList& idents, std::string_view ident) {
  for (size_t i = 0; i < idents.size(); ++i)
    if (EqualsIgnoringAsciiCase(idents[i], ident)) return int(i);
  return -1;
}

const TPropInfo* FindProperty(const TObject* obj, std::string_view name) {
  return obj ? obj->ClassInfo().FindProperty(name) : nullptr;
}

std::int64_t GetIntProperty(const TObject* obj, std::string_view name) {
  const TPropInfo* p = FindProperty(obj, name);
  return p && p->kind == TPropKind::Integer ? p->getOrdinal(*obj) : 0;
}

std::string GetEnumPropertyName(const TObject* obj, std::string_view name) {
  const TPropInfo* p = FindProperty(obj, name);
  if (!p || p->kind != TPropKind::Enumeration) return {};
  const std::int64_t v = p->getOrdinal(*obj);
  return v >= 0 && size_t(v) < p->idents->size() ? (*p->idents)[size_t(v)] : std::string();
}

std::string GetTextProperty(const TObject* obj, std::string_view name) {
  const TPropInfo* p = FindProperty(obj, name);
  return p && p->kind == TPropKind::Text ? p->getText(*obj) : std::string();
}

TObject* GetObjectProperty(const TObject* obj, std::string_view name, const TClassInfo* cls) {
  const TPropInfo* p = FindProperty(obj, name);
  if (!p || (p->kind != TPropKind::Object && p->kind != TPropKind::Reference && p->kind != TPropKind::Collection) ||
      !p->getObject)
    return nullptr;
  TObject* v = p->getObject(*obj);
  if (v && cls && !v->ClassInfo().InheritsFrom(*cls)) return nullptr;
  return v;
}

TPropertyPath ResolvePropertyPath(TObject* obj, std::string_view name) {
  TPropertyPath path;
  path.object = obj;
  for (size_t dot; !FindProperty(path.object, name) && (dot = name.find('.')) != std::string_view::npos;) {
    const std::string_view head = name.substr(0, dot);
    const TPropInfo* holder = FindProperty(path.object, head);
    if (!holder || holder->kind != TPropKind::Object || !holder->getObject) {
      path.error = path.object->ClassName() + " has no object property " + std::string(head);
      return path;
    }
    path.object = holder->getObject(*path.object);
    if (!path.object) {
      path.error = std::string(head) + " holds no object";
      return path;
    }
    name.remove_prefix(dot + 1);
  }
  path.prop = FindProperty(path.object, name);
  if (!path.prop) path.error = path.object->ClassName() + " has no property " + std::string(name);
  return path;
}

std::int64_t IdentOrdinal(const TPropInfo& p, std::string_view ident) {
  std::int64_t value = -1;
  const bool found = p.kind == TPropKind::Enumeration
                         ? (value = IdentIndex(*p.idents, ident)) >= 0
                         : p.kind == TPropKind::Integer && p.intIdents && p.intIdents->toValue(ident, value);
  if (!found) throw EPropertyError("'" + std::string(ident) + "' is not a value for " + p.name);
  return value;
}

std::int64_t SetOrdinal(const TPropInfo& p, const std::vector<std::string_view>& members) {
  std::int64_t bits = 0;
  for (const std::string_view member : members) {
    const int index = IdentIndex(*p.idents, member);
    if (index < 0) throw EPropertyError("'" + std::string(member) + "' is not a member of " + p.name);
    bits |= std::int64_t(1) << index;
  }
  return bits;
}

namespace {

bool ParseInt(std::string_view text, std::int64_t& value) {
  std::string_view s = TrimBlanks(text);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return false;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  return ec == std::errc() && end == s.data() + s.size();
}

std::string SetText(const TIdentList& idents, std::int64_t bits) {
  std::string out = "[";
  for (size_t i = 0; i < idents.size() && i < 32; ++i) {
    if (!(bits & (std::int64_t(1) << i))) continue;
    if (out.size() > 1) out += ", ";
    out += idents[i];
  }
  return out + "]";
}

// The members of a set written "[a, b]".
std::vector<std::string_view> SetMembers(std::string_view text, const std::string& propName) {
  std::string_view s = TrimBlanks(text);
  if (s.size() < 2 || s.front() != '[' || s.back() != ']')
    throw EPropertyError("'" + std::string(text) + "' is not a set value for " + propName);
  s = s.substr(1, s.size() - 2);
  std::vector<std::string_view> members;
  while (!TrimBlanks(s).empty()) {
    const size_t comma = s.find(',');
    members.push_back(TrimBlanks(s.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    s.remove_prefix(comma + 1);
  }
  return members;
}

}  // namespace

std::string GetPropertyValue(const TObject* obj, std::string_view name) {
  if (!obj) return {};
  const TPropertyPath path = ResolvePropertyPath(const_cast<TObject*>(obj), name);
  const TPropInfo* p = path.prop;
  if (!p) return {};
  const TObject* target = path.object;
  switch (p->kind) {
    case TPropKind::Integer: {
      const std::int64_t v = p->getOrdinal(*target);
      std::string ident;
      if (p->intIdents && p->intIdents->toIdent(v, ident)) return ident;
      return std::to_string(v);
    }
    case TPropKind::Enumeration:
      return GetEnumPropertyName(target, p->name);
    case TPropKind::Set:
      return SetText(*p->idents, p->getOrdinal(*target));
    case TPropKind::Text:
      return p->getText(*target);
    case TPropKind::Reference: {
      const auto* c = dynamic_cast<const TComponent*>(p->getObject(*target));
      return c ? c->Name() : std::string();
    }
    case TPropKind::Strings:
      return p->getStrings(*target).Text();
    default:
      return {};
  }
}

void SetPropertyValue(TObject* obj, std::string_view name, std::string_view value, TComponent* lookupRoot) {
  if (obj == nullptr) throw EPropertyError("no object to set " + std::string(name) + " on");
  const TPropertyPath path = ResolvePropertyPath(obj, name);
  const TPropInfo* p = path.prop;
  if (!p) throw EPropertyError(path.error);
  TObject& target = *path.object;
  auto requireSetter = [&](bool present) {
    if (!present) throw EPropertyError(p->name + " is read-only");
  };
  switch (p->kind) {
    case TPropKind::Integer: {
      std::int64_t v = 0;
      if (!ParseInt(value, v)) v = IdentOrdinal(*p, value);
      requireSetter(bool(p->setOrdinal));
      p->setOrdinal(target, v);
      return;
    }
    case TPropKind::Enumeration: {
      const std::int64_t index = IdentOrdinal(*p, value);
      requireSetter(bool(p->setOrdinal));
      p->setOrdinal(target, index);
      return;
    }
    case TPropKind::Set:
      requireSetter(bool(p->setOrdinal));
      p->setOrdinal(target, SetOrdinal(*p, SetMembers(value, p->name)));
      return;
    case TPropKind::Text:
      requireSetter(bool(p->setText));
      p->setText(target, std::string(value));
      return;
    case TPropKind::Reference: {
      TComponent* found = nullptr;
      if (!value.empty()) {
        found = lookupRoot ? lookupRoot->FindComponent(value) : nullptr;
        if (!found && lookupRoot && EqualsIgnoringAsciiCase(lookupRoot->Name(), value)) found = lookupRoot;
        if (!found) throw EPropertyError("no component named '" + std::string(value) + "'");
      }
      p->setObject(target, found);
      return;
    }
    case TPropKind::Strings: {
      TStringList lines;
      lines.SetText(value);
      p->setStrings(target, lines);
      return;
    }
    default:
      throw EPropertyError(p->name + " cannot be set from text");
  }
}

void SetPropertyText(TObject* obj, std::string_view name, std::string_view value) {
  const TPropInfo* p = FindProperty(obj, name);
  if (!p || !p->setOrdinal) return;
  if (p->kind == TPropKind::Enumeration) {
    const int index = IdentIndex(*p->idents, value);
    if (index >= 0) p->setOrdinal(*obj, index);
  } else if (p->kind == TPropKind::Integer) {
    std::int64_t v = 0;
    if (ParseInt(value, v)) p->setOrdinal(*obj, v);
  }
}

}  // namespace bus
