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

namespace {

bool ParseInt(std::string_view text, std::int64_t& value) {
  const std::string t = std::string(text);
  std::string_view s = text;
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
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

std::int64_t ParseSet(const TIdentList& idents, std::string_view text, std::string_view propName) {
  std::string_view s = text;
  auto trim = [](std::string_view v) {
    while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
    while (!v.empty() && (v.back() == ' ' || v.back() == '\t')) v.remove_suffix(1);
    return v;
  };
  s = trim(s);
  if (s.size() < 2 || s.front() != '[' || s.back() != ']')
    throw EPropertyError("'" + std::string(text) + "' is not a set value for " + std::string(propName));
  s = s.substr(1, s.size() - 2);
  std::int64_t bits = 0;
  while (!trim(s).empty()) {
    const size_t comma = s.find(',');
    const std::string_view item = trim(s.substr(0, comma));
    const int index = IdentIndex(idents, item);
    if (index < 0) throw EPropertyError("'" + std::string(item) + "' is not a member of " + std::string(propName));
    bits |= std::int64_t(1) << index;
    if (comma == std::string_view::npos) break;
    s.remove_prefix(comma + 1);
  }
  return bits;
}

}  // namespace

std::string GetPropertyValue(const TObject* obj, std::string_view name) {
  const size_t dot = name.find('.');
  if (dot != std::string_view::npos && !FindProperty(obj, name)) {
    const TPropInfo* holder = FindProperty(obj, name.substr(0, dot));
    if (!holder || holder->kind != TPropKind::Object || !holder->getObject) return {};
    return GetPropertyValue(holder->getObject(*obj), name.substr(dot + 1));
  }
  const TPropInfo* p = FindProperty(obj, name);
  if (!p) return {};
  switch (p->kind) {
    case TPropKind::Integer: {
      const std::int64_t v = p->getOrdinal(*obj);
      std::string ident;
      if (p->intIdents && p->intIdents->toIdent(v, ident)) return ident;
      return std::to_string(v);
    }
    case TPropKind::Enumeration:
      return GetEnumPropertyName(obj, name);
    case TPropKind::Set:
      return SetText(*p->idents, p->getOrdinal(*obj));
    case TPropKind::Text:
      return p->getText(*obj);
    case TPropKind::Reference: {
      const auto* c = dynamic_cast<const TComponent*>(p->getObject(*obj));
      return c ? c->Name() : std::string();
    }
    case TPropKind::Strings:
      return p->getStrings(*obj).Text();
    default:
      return {};
  }
}

void SetPropertyValue(TObject* obj, std::string_view name, std::string_view value, TComponent* lookupRoot) {
  if (obj == nullptr) throw EPropertyError("no object to set " + std::string(name) + " on");
  const size_t dot = name.find('.');
  if (dot != std::string_view::npos && !FindProperty(obj, name)) {
    const TPropInfo* holder = FindProperty(obj, name.substr(0, dot));
    if (!holder || holder->kind != TPropKind::Object || !holder->getObject || holder->getObject(*obj) == nullptr)
      throw EPropertyError(obj->ClassName() + " has no object property " + std::string(name.substr(0, dot)));
    SetPropertyValue(holder->getObject(*obj), name.substr(dot + 1), value, lookupRoot);
    return;
  }
  const TPropInfo* p = FindProperty(obj, name);
  if (!p) throw EPropertyError(obj->ClassName() + " has no property " + std::string(name));
  const std::string shown = "'" + std::string(value) + "'";
  switch (p->kind) {
    case TPropKind::Integer: {
      std::int64_t v = 0;
      if (!ParseInt(value, v) && !(p->intIdents && p->intIdents->toValue(value, v)))
        throw EPropertyError(shown + " is not a value for " + p->name);
      if (!p->setOrdinal) throw EPropertyError(p->name + " is read-only");
      p->setOrdinal(*obj, v);
      return;
    }
    case TPropKind::Enumeration: {
      const int index = IdentIndex(*p->idents, value);
      if (index < 0) throw EPropertyError(shown + " is not a value for " + p->name);
      if (!p->setOrdinal) throw EPropertyError(p->name + " is read-only");
      p->setOrdinal(*obj, index);
      return;
    }
    case TPropKind::Set:
      if (!p->setOrdinal) throw EPropertyError(p->name + " is read-only");
      p->setOrdinal(*obj, ParseSet(*p->idents, value, p->name));
      return;
    case TPropKind::Text:
      if (!p->setText) throw EPropertyError(p->name + " is read-only");
      p->setText(*obj, std::string(value));
      return;
    case TPropKind::Reference: {
      TComponent* target = nullptr;
      if (!value.empty()) {
        target = lookupRoot ? lookupRoot->FindComponent(value) : nullptr;
        if (!target && lookupRoot && EqualsIgnoringAsciiCase(lookupRoot->Name(), value)) target = lookupRoot;
        if (!target) throw EPropertyError("no component named " + shown);
      }
      p->setObject(*obj, target);
      return;
    }
    case TPropKind::Strings: {
      TStringList lines;
      lines.SetText(value);
      p->setStrings(*obj, lines);
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
