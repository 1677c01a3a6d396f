// Errors of the route database layer: a failed connection, a rejected statement, a failed update.
#pragma once

#include "core/Exception.h"

namespace bus::db {

class DatabaseError : public Exception {
public:
  using Exception::Exception;
};

}  // namespace bus::db
