// The shape of the route table, the writing of a whole route database file, and the update of
// an open one from a route file.
//
// Table "way": id (integer key), no (line number), w0 .. w48 (stops in running order; the fields
// after a line's last stop are empty). A line of more than 49 stops continues in further records of
// the same line number, each starting with the previous record's last stop, so no stop is lost and
// every change of buses along the line stays findable.
//
// Table "routeinfo" (key, value) beside it says what the data is: key "city" the city whose
// routes these are, key "version" the data's version (a whole number that grows with every
// release of the data, such as its date 20240711). A database without it has no city and version 0.
//
// A route file, what an update brings, is a route database of the same shape.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace bus::db {

class Connection;

inline constexpr int kStopFields = 49;         // w0 .. w48
inline constexpr int kRouteFields = 2 + kStopFields;  // id, no, w0 .. w48

struct RouteRecord {
  std::string no;                  // line number
  std::vector<std::string> stops;  // at most kStopFields, in running order
};

// What a route database says about its data.
struct RouteDataInfo {
  std::string city;       // whose routes; empty when unknown
  long long version = 0;  // the data's version; 0 when unknown
};

// The table that holds RouteDataInfo.
inline constexpr std::string_view kRouteInfoTable = "routeinfo";

// A route file's content.
struct RouteFile {
  std::vector<RouteRecord> records;  // in id order
  RouteDataInfo info;                // what it says about itself
};

// Name of field i of the table (0: "id", 1: "no", 2..50: "w0".."w48").
std::string RouteFieldName(int field);

// The records that store one line: a single record up to kStopFields stops, otherwise records of
// kStopFields stops, each after the first starting with the previous one's last stop.
std::vector<RouteRecord> SplitRoute(const std::string& no, const std::vector<std::string>& stops);

// Writes a new route database at path holding records in order, with ids 1, 2, ..., and info: the
// file is written beside path and then renamed over it, so a failed import leaves no half-written
// file. Throws DatabaseError on failure.
void WriteRouteDatabase(const std::filesystem::path& path, const std::vector<RouteRecord>& records,
                        const RouteDataInfo& info = {});

// Reads the route file at path without changing it. Throws DatabaseError when it cannot be read,
// is no SQLite database, its table "way" has not the shape above, or it holds no route.
RouteFile ReadRouteFile(const std::filesystem::path& path);

// What the open database says about its data.
RouteDataInfo ReadRouteDataInfo(const Connection& connection);

// Replaces every record of "way" in the open database with records (ids 1, 2, ...) and stores
// info, in one transaction: on any failure the database stays exactly as it was. The file itself
// is never replaced, so another program keeps its connection and sees the new routes with its
// next statement. Throws DatabaseError; its Failure() tells a database that cannot be written, a
// full disk and one locked by another program apart.
void ReplaceRoutes(Connection& connection, const std::vector<RouteRecord>& records, const RouteDataInfo& info);

}  // namespace bus::db
