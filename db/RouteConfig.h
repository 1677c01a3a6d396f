// What config.ini beside a program says about the route database: which file to open (section
// [config], key dbName, appended as it stands to the program's directory) and where updates of
// it come from (key updateUrl, optional), and the city whose routes a database file name stands
// for. BusSearch.exe, update.exe and busquery read it the same way.
#pragma once

#include <string>
#include <string_view>

namespace bus::db {

// The configuration file beside the executable.
inline constexpr std::string_view kConfigFileName = "config.ini";

// dbName of section [config] in appDirectory + "config.ini"; empty when the file or key is missing.
// appDirectory ends in a path separator.
std::string ReadDbName(std::string_view appDirectory);

// updateUrl of section [config] in appDirectory + "config.ini": the address of the update manifest
// for the route database; empty when the file or key is missing.
std::string ReadUpdateUrl(std::string_view appDirectory);

// The connection string for the database file appDirectory + dbName (joined as they stand).
std::string RouteConnectionString(std::string_view appDirectory, std::string_view dbName);

// The city whose routes the bundled database named dbName holds (exact, case-sensitive:
// "xaway.db" is "西安", "bjway.db" "北京"); empty for any other name.
std::string_view CityOfDatabase(std::string_view dbName);

}  // namespace bus::db
