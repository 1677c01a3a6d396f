// The root of every framework class: a virtual class identity that names the class, knows its
// parent class and lists the properties it publishes (see Properties.h).
//
// A class opts in with BUS_CLASS(Name) at the top of its body and defines StaticClassInfo() in its
// source file with TClassBuilder. Class tests in C++ use dynamic_cast; InheritsFrom answers the
// same question for a class name held as text (the skin engine keeps class names as data).
#pragma once

#include <string>
#include <string_view>

namespace bus {

struct TClassInfo;

class TObject {
public:
  virtual ~TObject() = default;

  static const TClassInfo& StaticClassInfo();
  virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
  // The class's own name, for example "TPanel".
  const std::string& ClassName() const;
  // True when this object's class, or one of its ancestors, has this name (ASCII case ignored).
  bool InheritsFrom(std::string_view className) const;
};

}  // namespace bus

// Declares the class identity members; put it first in the class body.
#define BUS_CLASS(Class)                                                              \
public:                                                                               \
  static const ::bus::TClassInfo& StaticClassInfo();                                  \
  const ::bus::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }   \
                                                                                      \
private:
