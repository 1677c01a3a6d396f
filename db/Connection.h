// The connection to the route database: an SQLite file named by the connection string's
// "Data Source", never created. A file that is missing, is a directory, is not an SQLite database
// or holds no table "way" fails to open with a DatabaseError, exactly like a failed connection; the
// file is left untouched.
//
// A file that can be read but not written is opened read-only: every search works, and a change
// (deleting or saving a record) fails with a DatabaseError that says why (RequireWritable). That
// is a file whose permissions grant nobody writing (on Windows: the read-only attribute), whoever
// runs the program, or one the engine cannot open for writing (read-only media, no right to it).
//
// A connection and its queries belong to one thread: the engine takes no lock per call.
// "x like p escape e" is answered by LikePattern: the engine's meaning, faster, and without the
// engine's limit on the pattern's length.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/ConnectionString.h"
#include "db/DatabaseError.h"

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
  // The database is open but cannot be changed.
  bool ReadOnly() const noexcept { return db_ != nullptr && readOnly_; }
  // Throws the DatabaseError that explains why the change named by what ("delete the record")
  // cannot be made when the database is read-only; does nothing otherwise.
  void RequireWritable(std::string_view what) const;
  // The DatabaseError for a change that the engine refused with result code rc: a clear one when
  // the file or its folder cannot be written (the engine needs to write a journal beside the
  // file), the disk is full or another program holds the database locked, else the engine's own
  // message.
  DatabaseError WriteError(int rc, std::string_view what) const;

  // The names of the fields the statement gives, as an open query reports them, without running it.
  // Throws DatabaseError when the connection is closed or the statement is rejected.
  std::vector<std::string> FieldNames(const std::string& sql) const;

  // A number that changes whenever the database's content may have changed since it was last
  // asked: a change made through this connection or committed by another one (another program
  // included). Throws DatabaseError when the connection is closed.
  std::uint64_t DataVersion() const;

  // The parsed settings of the last Open() attempt.
  const ConnectionString& Settings() const noexcept { return settings_; }
  // The SQLite handle; null when closed. For Query only.
  sqlite3* Handle() const noexcept { return db_; }

private:
  sqlite3* db_ = nullptr;        // open database, or null
  bool readOnly_ = false;        // opened read-only
  ConnectionString settings_;    // what Open() was given
};

}  // namespace bus::db
