#include "framework/ClassRegistry.h"

#include <map>
#include <string>

#include "core/TextUtil.h"

namespace bus {

namespace {
std::map<std::string, const TClassInfo*>& Registry() {
  static std::map<std::string, const TClassInfo*> registry;  // lower-case name -> class
  return registry;
}
}  // namespace

void RegisterClass(const TClassInfo& cls) { Registry()[AsciiLower(cls.name)] = &cls; }

void RegisterClasses(std::initializer_list<const TClassInfo*> classes) {
  for (const TClassInfo* c : classes) RegisterClass(*c);
}

const TClassInfo* FindClass(std::string_view name) {
  auto it = Registry().find(AsciiLower(name));
  return it == Registry().end() ? nullptr : it->second;
}

}  // namespace bus
