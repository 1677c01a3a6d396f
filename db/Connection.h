// The connection to the route database: an SQLite file named by the connection string's
// "Data Source", opened read-write and never created. A file that is missing, is a directory, is
// read-only, is not an SQLite database or holds no table "way" fails to open with a DatabaseError,
// exactly like a failed connection; the file is left untouched.
//
// A connection and its queries belong to one thread: the engine takes no lock per call.
// "x like p escape e" is answered by LikePattern: the engine's meaning, faster, and without the
// engine's limit on the pattern's length.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "db/ConnectionString.h"

struct sqlite3;

namespace bus::db {

class Connection {
public:
  Connection() = default;
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Opens the database the connection string names. Throws DatabaseError on any failure and then
  // stays closed. Opening an open connection closes it first.
  void Open(std::string_view connectionString);
  // Closes the connection; harmless when closed. Queries on it must be closed first.
  void Close() noexcept;
  bool Connected() const noexcept { return db_ != nullptr; }

  // The names of the fields the statement gives, as an open query reports them, without running it.
  // Throws DatabaseError when the connection is closed or the statement is rejected.
  std::vector<std::string> FieldNames(const std::string& sql) const;

  // The parsed settings of the last Open() attempt.
  const ConnectionString& Settings() const noexcept { return settings_; }
  // The SQLite handle; null when closed. For Query only.
  sqlite3* Handle() const noexcept { return db_; }

private:
  sqlite3* db_ = nullptr;        // open database, or null
  ConnectionString settings_;    // what Open() was given
};

}  // namespace bus::db
