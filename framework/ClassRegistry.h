// The classes a form description may create, by name. Registration is explicit (static
// libraries drop unreferenced self-registering objects): the framework registers its own classes
// with RegisterFrameworkClasses(), a program registers its forms and components itself.
#pragma once

#include <initializer_list>
#include <string_view>

#include "framework/Properties.h"

namespace bus {

// Adds creatable classes; registering a class twice is harmless.
void RegisterClass(const TClassInfo& cls);
void RegisterClasses(std::initializer_list<const TClassInfo*> classes);
// The registered class of that name (ASCII case ignored), or null.
const TClassInfo* FindClass(std::string_view name);

}  // namespace bus
