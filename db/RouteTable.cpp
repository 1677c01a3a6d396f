#include "db/RouteTable.h"

#include <sqlite3.h>

#include <cassert>
#include <memory>
#include <system_error>

#include "core/ScopeExit.h"
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

void Exec(sqlite3* db, const std::string& sql) {
  char* err = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
    const std::string msg = err ? err : "unknown error";
    sqlite3_free(err);
    throw DatabaseError(msg);
  }
}

}  // namespace

void WriteRouteDatabase(const fs::path& path, const std::vector<RouteRecord>& records) {
  const fs::path temp = fs::path(path).concat(".tmp");
  std::error_code ec;
  fs::remove(temp, ec);
  {
    ScopeFailure removeTemp([&] { fs::remove(temp, ec); });  // after the database below is closed
    Db db;
    const std::u8string name = temp.u8string();
    if (sqlite3_open_v2(reinterpret_cast<const char*>(name.c_str()), &db.handle,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
      throw DatabaseError("cannot create " + std::string(name.begin(), name.end()));
    std::string create = "create table way (id integer primary key, no text";
    for (int i = 2; i < kRouteFields; ++i) create += ", " + RouteFieldName(i) + " text";
    Exec(db.handle, create + ")");
    Exec(db.handle, "begin");
    std::string insert = "insert into way values (?";
    for (int i = 1; i < kRouteFields; ++i) insert += ", ?";
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db.handle, (insert + ")").c_str(), -1, &stmt, nullptr) != SQLITE_OK)
      throw DatabaseError(sqlite3_errmsg(db.handle));
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> guard(stmt, sqlite3_finalize);
    long long id = 0;
    for (const RouteRecord& r : records) {
      if (r.stops.size() > size_t(kStopFields)) throw DatabaseError("a record holds more than 49 stops");
      sqlite3_reset(stmt);
      sqlite3_bind_int64(stmt, 1, ++id);
      sqlite3_bind_text(stmt, 2, r.no.data(), int(r.no.size()), SQLITE_STATIC);
      for (int s = 0; s < kStopFields; ++s) {
        // fields after the last stop hold empty text, never NULL: they read as empty either way,
        // and comparisons with text behave the same in every field
        const std::string_view stop = size_t(s) < r.stops.size() ? std::string_view(r.stops[size_t(s)]) : "";
        sqlite3_bind_text(stmt, 3 + s, stop.data(), int(stop.size()), SQLITE_STATIC);
      }
      if (sqlite3_step(stmt) != SQLITE_DONE) throw DatabaseError(sqlite3_errmsg(db.handle));
    }
    Exec(db.handle, "commit");
  }
  fs::rename(temp, path, ec);
  if (ec) throw DatabaseError("cannot replace " + path.string() + ": " + ec.message());
}

}  // namespace bus::db
