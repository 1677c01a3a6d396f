// Objects that can copy themselves from another object (fonts, bitmaps, icons, string lists,
// collections): Assign asks the source's AssignTo when the target does not know the source's class.
#pragma once

#include "core/Exception.h"
#include "framework/Object.h"

namespace bus {

class EConvertError : public Exception {
public:
  using Exception::Exception;
};

class TPersistent : public TObject {
  BUS_CLASS(TPersistent)
public:
  // Copies source into this object; throws EConvertError when neither side knows the other.
  virtual void Assign(const TPersistent& source) { source.AssignTo(*this); }

protected:
  virtual void AssignTo(TPersistent& dest) const {
    throw EConvertError("cannot assign a " + ClassName() + " to a " + dest.ClassName());
  }
};

}  // namespace bus
