#include "db/RouteTable.h"

#include <sqlite3.h>

#include <cassert>
#include <cstdlib>
#include <memory>
#include <system_error>

#include "core/ScopeExit.h"
#include "db/Connection.h"
#include "db/DatabaseError.h"

namespace bus::db {

namespace fs = std::filesystem;

std::string RouteFieldName(int field) {
  assert(field >= 0 && field < kRouteFields);
  if (field == 0) return "id";
  if (field == 1) return "no";
  return "w" + std::to_string(field - 2);
}

std::vector<RouteRecord> SplitRoute(const std::string& no, const std::vector<std::string>& stops) {
  std::vector<RouteRecord> records;
  size_t start = 0;
  do {
    const size_t end = std::min(stops.size(), start + kStopFields);
    records.push_back({no, std::vector<std::string>(stops.begin() + long(start), stops.begin() + long(end))});
    if (end == stops.size()) break;
    start = end - 1;  // the next record repeats this record's last stop
  } while (true);
  return records;
}

namespace {

struct Db {
  sqlite3* handle = nullptr;
  ~Db() { sqlite3_close_v2(handle); }
};

using Statement = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)>;

// The statement sql on db; null (with the engine's result code in rc) when it is rejected.
Statement Prepare(sqlite3* db, const std::string& sql, int& rc) {
  sqlite3_stmt* stmt = nullptr;
  rc = sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &stmt, nullptr);
  return Statement(stmt, sqlite3_finalize);
}

// Runs sql; returns the engine's result code.
int Exec(sqlite3* db, const std::string& sql) { return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr); }

// The engine's message for db's last failure.
DatabaseError EngineError(sqlite3* db) { return DatabaseError(sqlite3_errmsg(db)); }

std::string CreateWayStatement() {
  std::string create = "create table way (id integer primary key, no text";
  for (int i = 2; i < kRouteFields; ++i) create += ", " + RouteFieldName(i) + " text";
  return create + ")";
}

// Adds records to table "way" with ids 1, 2, ...; the engine's result code of the first failure,
// or SQLITE_OK. Throws DatabaseError for a record of too many stops.
int InsertRoutes(sqlite3* db, const std::vector<RouteRecord>& records) {
  std::string insert = "insert into way values (?";
  for (int i = 1; i < kRouteFields; ++i) insert += ", ?";
  int rc = SQLITE_OK;
  const Statement stmt = Prepare(db, insert + ")", rc);
  if (rc != SQLITE_OK) return rc;
  long long id = 0;
  for (const RouteRecord& r : records) {
    if (r.stops.size() > size_t(kStopFields)) throw DatabaseError("a record holds more than 49 stops");
    sqlite3_reset(stmt.get());
    sqlite3_bind_int64(stmt.get(), 1, ++id);
    sqlite3_bind_text(stmt.get(), 2, r.no.data(), int(r.no.size()), SQLITE_STATIC);
    for (int s = 0; s < kStopFields; ++s) {
      // fields after the last stop hold empty text, never NULL: they read as empty either way,
      // and comparisons with text behave the same in every field
      const std::string_view stop = size_t(s) < r.stops.size() ? std::string_view(r.stops[size_t(s)]) : "";
      sqlite3_bind_text(stmt.get(), 3 + s, stop.data(), int(stop.size()), SQLITE_STATIC);
    }
    if (const int step = sqlite3_step(stmt.get()); step != SQLITE_DONE) return step;
  }
  return SQLITE_OK;
}

// Creates the info table when missing and stores info in it; the engine's result code.
int StoreRouteDataInfo(sqlite3* db, const RouteDataInfo& info) {
  int rc = Exec(db, "create table if not exists " + std::string(kRouteInfoTable) +
                        " (key text primary key, value text)");
  if (rc != SQLITE_OK) return rc;
  const Statement stmt =
      Prepare(db, "insert or replace into " + std::string(kRouteInfoTable) + " values (?, ?)", rc);
  if (rc != SQLITE_OK) return rc;
  const std::string version = std::to_string(info.version);
  for (const auto& [key, value] : {std::pair<const char*, const std::string*>{"city", &info.city}, {"version", &version}}) {
    sqlite3_reset(stmt.get());
    sqlite3_bind_text(stmt.get(), 1, key, -1, SQLITE_STATIC);
    sqlite3_bind_text(stmt.get(), 2, value->data(), int(value->size()), SQLITE_STATIC);
    if (const int step = sqlite3_step(stmt.get()); step != SQLITE_DONE) return step;
  }
  return SQLITE_OK;
}

// The info stored in db; empty when it has no info table.
RouteDataInfo LoadRouteDataInfo(sqlite3* db) {
  RouteDataInfo info;
  int rc = SQLITE_OK;
  const Statement stmt = Prepare(db, "select key, value from " + std::string(kRouteInfoTable), rc);
  if (rc != SQLITE_OK) return info;  // no such table: nothing known
  while (sqlite3_step(stmt.get()) == SQLITE_ROW) {
    const char* key = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
    const char* value = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 1));
    if (!key || !value) continue;
    if (std::string_view(key) == "city") info.city = value;
    if (std::string_view(key) == "version") {
      char* end = nullptr;
      const long long v = std::strtoll(value, &end, 10);
      info.version = end && *end == '\0' && v > 0 ? v : 0;
    }
  }
  return info;
}

std::string PathText(const fs::path& path) {
  const std::u8string name = path.u8string();
  return std::string(name.begin(), name.end());
}

}  // namespace

void WriteRouteDatabase(const fs::path& path, const std::vector<RouteRecord>& records, const RouteDataInfo& info) {
  const fs::path temp = fs::path(path).concat(".tmp");
  std::error_code ec;
  fs::remove(temp, ec);
  {
    ScopeFailure removeTemp([&] { fs::remove(temp, ec); });  // after the database below is closed
    Db db;
    if (sqlite3_open_v2(PathText(temp).c_str(), &db.handle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK)
      throw DatabaseError("cannot create " + PathText(temp));
    if (Exec(db.handle, CreateWayStatement()) != SQLITE_OK || Exec(db.handle, "begin") != SQLITE_OK ||
        InsertRoutes(db.handle, records) != SQLITE_OK || StoreRouteDataInfo(db.handle, info) != SQLITE_OK ||
        Exec(db.handle, "commit") != SQLITE_OK)
      throw EngineError(db.handle);
  }
  fs::rename(temp, path, ec);
  if (ec) throw DatabaseError("cannot replace " + PathText(path) + ": " + ec.message());
}

RouteFile ReadRouteFile(const fs::path& path) {
  const std::string name = PathText(path);
  Db db;
  if (sqlite3_open_v2(name.c_str(), &db.handle, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
    throw DatabaseError("cannot open the route file " + name);
  int rc = SQLITE_OK;
  const Statement stmt = Prepare(db.handle, "select * from way order by id", rc);
  if (rc != SQLITE_OK) throw DatabaseError("not a route file (" + std::string(sqlite3_errmsg(db.handle)) + "): " + name);
  bool shaped = sqlite3_column_count(stmt.get()) == kRouteFields;
  for (int f = 0; shaped && f < kRouteFields; ++f)
    shaped = RouteFieldName(f) == (sqlite3_column_name(stmt.get(), f) ? sqlite3_column_name(stmt.get(), f) : "");
  if (!shaped) throw DatabaseError("not a route file (table \"way\" has another shape): " + name);
  RouteFile file;
  while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    const auto text = [&](int f) {
      const char* v = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), f));
      return std::string(v ? v : "");
    };
    RouteRecord record{text(1), {}};
    for (int f = 2; f < kRouteFields; ++f) record.stops.push_back(text(f));
    while (!record.stops.empty() && record.stops.back().empty()) record.stops.pop_back();
    file.records.push_back(std::move(record));
  }
  if (rc != SQLITE_DONE) throw DatabaseError("cannot read the route file (" + std::string(sqlite3_errmsg(db.handle)) + "): " + name);
  if (file.records.empty()) throw DatabaseError("the route file holds no route: " + name);
  file.info = LoadRouteDataInfo(db.handle);
  return file;
}

RouteDataInfo ReadRouteDataInfo(const Connection& connection) {
  if (!connection.Connected()) throw DatabaseError("the database is not connected");
  return LoadRouteDataInfo(connection.Handle());
}

void ReplaceRoutes(Connection& connection, const std::vector<RouteRecord>& records, const RouteDataInfo& info) {
  static constexpr std::string_view kWhat = "update the routes";
  if (!connection.Connected()) throw DatabaseError("the database is not connected");
  connection.RequireWritable(kWhat);
  sqlite3* db = connection.Handle();
  // the write lock at once: a reader that comes later waits for the commit instead of failing it
  if (const int rc = Exec(db, "begin immediate"); rc != SQLITE_OK) throw connection.WriteError(rc, kWhat);
  bool committed = false;
  ScopeExit rollback([&] {
    if (!committed) Exec(db, "rollback");
  });
  int rc = Exec(db, "delete from way");
  if (rc == SQLITE_OK) rc = InsertRoutes(db, records);
  if (rc == SQLITE_OK) rc = StoreRouteDataInfo(db, info);
  if (rc == SQLITE_OK) rc = Exec(db, "commit");
  if (rc != SQLITE_OK) throw connection.WriteError(rc, kWhat);
  committed = true;
}

}  // namespace bus::db
