// The shape of the route table and the writing of a whole route database file.
//
// Table "way": id (integer key), no (line number), w0 .. w48 (stops in running order; the fields
// after a line's last stop are empty). A line of more than 49 stops continues in further records of
// the same line number, each starting with the previous record's last stop, so no stop is lost and
// every change of buses along the line stays findable.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace bus::db {

inline constexpr int kStopFields = 49;         // w0 .. w48
inline constexpr int kRouteFields = 2 + kStopFields;  // id, no, w0 .. w48

struct RouteRecord {
  std::string no;                  // line number
  std::vector<std::string> stops;  // at most kStopFields, in running order
};

// Name of field i of the table (0: "id", 1: "no", 2..50: "w0".."w48").
std::string RouteFieldName(int field);

// The records that store one line: a single record up to kStopFields stops, otherwise records of
// kStopFields stops, each after the first starting with the previous one's last stop.
std::vector<RouteRecord> SplitRoute(const std::string& no, const std::vector<std::string>& stops);

// Writes a new route database at path holding records in order, with ids 1, 2, ...: the file is
// written beside path and then renamed over it, so a failed import leaves no half-written file.
// Throws DatabaseError on failure.
void WriteRouteDatabase(const std::filesystem::path& path, const std::vector<RouteRecord>& records);

}  // namespace bus::db
