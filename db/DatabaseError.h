// Errors of the route database layer: a failed connection, a rejected statement, a failed update.
#pragma once

#include "core/Exception.h"

namespace bus::db {

// What kind of failure a change met, where the caller may want to say it in its own words.
enum class TDatabaseFailure {
  dfOther,     // anything else: the message says it
  dfReadOnly,  // the file or its folder cannot be written
  dfDiskFull,  // no room left for the change
  dfBusy,      // another program holds the database locked
};

class DatabaseError : public Exception {
public:
  explicit DatabaseError(std::string message, TDatabaseFailure failure = TDatabaseFailure::dfOther)
      : Exception(std::move(message)), failure_(failure) {}
  TDatabaseFailure Failure() const noexcept { return failure_; }

private:
  TDatabaseFailure failure_;  // the kind, for callers that name it themselves
};

}  // namespace bus::db
