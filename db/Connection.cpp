#include "db/Connection.h"

#include <sqlite3.h>

#include <cassert>
#include <filesystem>
#include <system_error>

#include "core/TextUtil.h"
#include "db/DatabaseError.h"

namespace bus::db {

namespace fs = std::filesystem;

namespace {

fs::path PathFromUtf8(const std::string& s) {
  return fs::path(std::u8string(s.begin(), s.end()));
}

// Checks what SQLite itself would not: SQLite happily opens a directory or a missing path lazily,
// and a process with enough rights (root) opens a write-protected file for writing.
void CheckDataSourceFile(const std::string& source) {
  if (source.empty()) throw DatabaseError("no database file given (Data Source is empty)");
  std::error_code ec;
  const fs::path path = PathFromUtf8(source);
  const fs::file_status st = fs::status(path, ec);
  if (ec || !fs::exists(st)) throw DatabaseError("database file not found: " + source);
  if (fs::is_directory(st)) throw DatabaseError("database path is a directory, not a file: " + source);
  if (!fs::is_regular_file(st)) throw DatabaseError("database path is not a regular file: " + source);
  constexpr auto writeBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if ((st.permissions() & writeBits) == fs::perms::none)
    throw DatabaseError("database file is read-only: " + source);
}

}  // namespace

Connection::~Connection() { Close(); }

void Connection::Open(std::string_view connectionString) {
  Close();
  settings_ = ConnectionString::Parse(connectionString);
  if (!EqualsIgnoringAsciiCase(settings_.provider, kJetProvider))
    throw DatabaseError("database provider not available: \"" + settings_.provider + "\"");
  const std::string& source = settings_.dataSource;
  CheckDataSourceFile(source);

  sqlite3* db = nullptr;
  // NOMUTEX: one thread uses the connection, and a lock around every value read costs a quarter
  // of fetching a result
  const int rc = sqlite3_open_v2(source.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  // from here on db must be closed on every failure
  const auto fail = [&](const std::string& what) {
    sqlite3_close_v2(db);
    throw DatabaseError(what + ": " + source);
  };
  if (rc != SQLITE_OK) fail(std::string("cannot open database (") + sqlite3_errstr(rc) + ")");
  if (sqlite3_db_readonly(db, "main") == 1) fail("database file is read-only");
  sqlite3_busy_timeout(db, 2000);
  sqlite3_extended_result_codes(db, 1);
  sqlite3_limit(db, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, int(kMaxLikePatternBytes));
  assert(sqlite3_limit(db, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, -1) == int(kMaxLikePatternBytes));

  // Reading the schema is what reveals a foreign file ("file is not a database").
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, "select count(*) from sqlite_master where type='table' and name='way'", -1,
                         &stmt, nullptr) != SQLITE_OK)
    fail(std::string("not a route database (") + sqlite3_errmsg(db) + ")");
  const int step = sqlite3_step(stmt);
  const bool hasWay = step == SQLITE_ROW && sqlite3_column_int(stmt, 0) == 1;
  const std::string err = step == SQLITE_ROW ? "" : sqlite3_errmsg(db);
  sqlite3_finalize(stmt);
  if (step != SQLITE_ROW) fail("not a route database (" + err + ")");
  if (!hasWay) fail("not a route database (no table \"way\")");
  db_ = db;
}

std::vector<std::string> Connection::FieldNames(const std::string& sql) const {
  if (db_ == nullptr) throw DatabaseError("the database is not connected");
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), int(sql.size()), &stmt, nullptr) != SQLITE_OK) {
    const std::string msg = sqlite3_errmsg(db_);
    sqlite3_finalize(stmt);
    throw DatabaseError(msg);
  }
  std::vector<std::string> names;
  const int columns = sqlite3_column_count(stmt);
  for (int c = 0; c < columns; ++c) {
    const char* name = sqlite3_column_name(stmt, c);
    names.emplace_back(name ? name : "");
  }
  sqlite3_finalize(stmt);
  return names;
}

void Connection::Close() noexcept {
  if (db_ == nullptr) return;
  // close_v2 defers the close until any statement still open is finalised
  sqlite3_close_v2(db_);
  db_ = nullptr;
}

}  // namespace bus::db
