#include "db/Connection.h"

#include <sqlite3.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "core/TextUtil.h"
#include "db/DatabaseError.h"
#include "db/LikePattern.h"

namespace bus::db {

namespace fs = std::filesystem;

namespace {

fs::path PathFromUtf8(const std::string& s) {
  return fs::path(std::u8string(s.begin(), s.end()));
}

// Checks what SQLite itself would not: SQLite happily opens a directory or a missing path lazily.
// Returns whether the file's permissions let anybody write it: a process with enough rights (root)
// would write a write-protected file, and the program must not.
bool CheckDataSourceFile(const std::string& source) {
  if (source.empty()) throw DatabaseError("no database file given (Data Source is empty)");
  std::error_code ec;
  const fs::path path = PathFromUtf8(source);
  const fs::file_status st = fs::status(path, ec);
  if (ec || !fs::exists(st)) throw DatabaseError("database file not found: " + source);
  if (fs::is_directory(st)) throw DatabaseError("database path is a directory, not a file: " + source);
  if (!fs::is_regular_file(st)) throw DatabaseError("database path is not a regular file: " + source);
  constexpr auto writeBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  return (st.permissions() & writeBits) != fs::perms::none;
}

// Opens source with flags; on failure closes what the engine left and returns its result code.
int OpenFile(const std::string& source, int flags, sqlite3*& db) {
  // NOMUTEX: one thread uses the connection, and a lock around every value read costs a quarter
  // of fetching a result
  const int rc = sqlite3_open_v2(source.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_close_v2(db);
    db = nullptr;
  }
  return rc;
}

// Characters in s, counted as the engine counts them for an ESCAPE text.
int CharacterCount(std::string_view s) {
  int count = 0;
  for (size_t i = 0; i < s.size() && s[i] != '\0'; ++count)
    if (static_cast<unsigned char>(s[i++]) >= 0xC0)
      while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
  return count;
}

// The patterns a connection's like(pattern, text, escape) compiled last. A search's statement
// compares every field with the same pattern, row after row, so a few recent ones serve nearly
// every call. (The engine's own per-call-site store is a list walked on every call: with 51 sites
// it cost more than the matching.)
class LikeCache {
public:
  // The compiled pattern (a NUL-terminated text) with escape.
  const LikePattern& Get(const char* pattern, std::string_view escape) {
    if (Holds(entries_[last_], pattern, escape)) return *entries_[last_];
    for (size_t i = 0; i < entries_.size(); ++i) {
      if (Holds(entries_[i], pattern, escape)) {
        last_ = i;
        return *entries_[i];
      }
    }
    last_ = next_;
    next_ = (next_ + 1) % entries_.size();
    entries_[last_] = std::make_unique<LikePattern>(pattern, escape);
    return *entries_[last_];
  }

private:
  static bool Holds(const std::unique_ptr<LikePattern>& entry, const char* pattern, std::string_view escape) {
    // strncmp stops at the first difference or NUL: comparing the terminators too means equal texts
    return entry && entry->Escape() == escape &&
           std::strncmp(entry->Source().c_str(), pattern, entry->Source().size() + 1) == 0;
  }

  std::array<std::unique_ptr<LikePattern>, 4> entries_;  // the patterns compiled last
  size_t last_ = 0;                                        // the entry used last
  size_t next_ = 0;                                        // the entry to replace next
};

// like(pattern, text, escape), the function behind "text like pattern escape e". Pattern, text
// and escape end at a NUL, as the engine reads them. Called for every field of every row, so it
// asks the engine for no more than each value's text.
void LikeWithEscape(sqlite3_context* context, int, sqlite3_value** args) noexcept {
  const char* pattern = reinterpret_cast<const char*>(sqlite3_value_text(args[0]));
  const char* text = reinterpret_cast<const char*>(sqlite3_value_text(args[1]));
  const char* escapeText = reinterpret_cast<const char*>(sqlite3_value_text(args[2]));
  if (pattern == nullptr || text == nullptr || escapeText == nullptr) {
    // an SQL NULL makes the result NULL; any other value without a text means no memory
    for (int i = 0; i < 3; ++i)
      if (sqlite3_value_type(args[i]) != SQLITE_NULL && sqlite3_value_text(args[i]) == nullptr)
        sqlite3_result_error_nomem(context);
    return;
  }
  const bool asciiEscape = escapeText[0] != '\0' && escapeText[1] == '\0' &&
                           static_cast<unsigned char>(escapeText[0]) < 0x80;
  const std::string_view escape = asciiEscape ? std::string_view(escapeText, 1) : std::string_view(escapeText);
  if (!asciiEscape && CharacterCount(escape) != 1) {
    sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
    return;
  }
  try {
    auto* cache = static_cast<LikeCache*>(sqlite3_user_data(context));
    sqlite3_result_int(context, cache->Get(pattern, escape).Matches(text) ? 1 : 0);
  } catch (const std::bad_alloc&) {
    sqlite3_result_error_nomem(context);
  }
}

}  // namespace

Connection::~Connection() { Close(); }

void Connection::Open(std::string_view connectionString) {
  Close();
  settings_ = ConnectionString::Parse(connectionString);
  if (!EqualsIgnoringAsciiCase(settings_.provider, kJetProvider))
    throw DatabaseError("database provider not available: \"" + settings_.provider + "\"");
  const std::string& source = settings_.dataSource;
  const bool writable = CheckDataSourceFile(source);

  // read-write where the file allows it, else (or when the engine cannot write it) read-only
  sqlite3* db = nullptr;
  int rc = writable ? OpenFile(source, SQLITE_OPEN_READWRITE, db) : SQLITE_READONLY;
  if (rc != SQLITE_OK) rc = OpenFile(source, SQLITE_OPEN_READONLY, db);
  if (rc != SQLITE_OK) throw DatabaseError(std::string("cannot open database (") + sqlite3_errstr(rc) + "): " + source);
  // from here on db must be closed on every failure
  const auto fail = [&](const std::string& what) {
    sqlite3_close_v2(db);
    throw DatabaseError(what + ": " + source);
  };
  const bool readOnly = sqlite3_db_readonly(db, "main") == 1;
  sqlite3_busy_timeout(db, 2000);
  sqlite3_extended_result_codes(db, 1);
  // the engine destroys the cache with the function (also when registering fails)
  if (sqlite3_create_function_v2(db, "like", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, new LikeCache, LikeWithEscape,
                                 nullptr, nullptr, [](void* p) { delete static_cast<LikeCache*>(p); }) != SQLITE_OK)
    fail(std::string("cannot set up the database connection (") + sqlite3_errmsg(db) + ")");

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
  readOnly_ = readOnly;
}

void Connection::RequireWritable(std::string_view what) const {
  if (ReadOnly())
    throw DatabaseError("cannot " + std::string(what) + ": the route database is read-only (" + settings_.dataSource +
                            ")",
                        TDatabaseFailure::dfReadOnly);
}

DatabaseError Connection::WriteError(int rc, std::string_view what) const {
  switch (rc & 0xFF) {  // the primary result code
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
      return DatabaseError("cannot " + std::string(what) + ": the route database or its folder cannot be written (" +
                               settings_.dataSource + ")",
                           TDatabaseFailure::dfReadOnly);
    case SQLITE_FULL:
      return DatabaseError("cannot " + std::string(what) + ": the disk is full (" + settings_.dataSource + ")",
                           TDatabaseFailure::dfDiskFull);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return DatabaseError("cannot " + std::string(what) + ": the route database is locked by another program (" +
                               settings_.dataSource + ")",
                           TDatabaseFailure::dfBusy);
    default:
      return DatabaseError(db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc));
  }
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

std::uint64_t Connection::DataVersion() const {
  if (db_ == nullptr) throw DatabaseError("the database is not connected");
  sqlite3_stmt* stmt = nullptr;
  const char* sql = "pragma data_version";
  if (sqlite3_prepare_v2(db_, sql, -1, &stmt, nullptr) != SQLITE_OK || sqlite3_step(stmt) != SQLITE_ROW) {
    const std::string msg = sqlite3_errmsg(db_);
    sqlite3_finalize(stmt);
    throw DatabaseError(msg);
  }
  // others' commits move data_version; this connection's own changes move total_changes
  const std::uint64_t others = std::uint64_t(sqlite3_column_int64(stmt, 0));
  sqlite3_finalize(stmt);
  return others << 32 ^ std::uint64_t(sqlite3_total_changes64(db_));
}

void Connection::Close() noexcept {
  if (db_ == nullptr) return;
  // close_v2 defers the close until any statement still open is finalised
  sqlite3_close_v2(db_);
  db_ = nullptr;
}

}  // namespace bus::db
