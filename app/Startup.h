// What the program works out at start-up before any window exists: the route database named in
// config.ini beside the executable, the window title with the city's suffix, and the connection
// string for that database.
#pragma once

#include <string>
#include <string_view>

namespace bus::app {

// The name the platform shows for the running program (taskbar button, message boxes).
inline constexpr std::string_view kApplicationTitle = "Zelvo公交车查询";
// The main window's title before the city is known.
inline constexpr std::string_view kInitialWindowTitle = "Zelvo公交车查询V2.2.8";
// The caption stored with the main window, seen only until the routes are loaded.
inline constexpr std::string_view kStoredWindowCaption = "Zelvo公交车查询--西安";
// The configuration file beside the executable.
inline constexpr std::string_view kConfigFileName = "config.ini";

// dbName of section [config] in appDirectory + "config.ini"; empty when the file or key is missing.
// appDirectory ends in a path separator.
std::string ReadDbName(std::string_view appDirectory);

// kInitialWindowTitle with the suffix of the city whose database dbName names (exact,
// case-sensitive: "xaway.db" gives "--西安", "bjway.db" "--北京", anything else nothing).
std::string WindowTitleFor(std::string_view dbName);

// The connection string for the database file appDirectory + dbName (joined as they stand).
std::string RouteConnectionString(std::string_view appDirectory, std::string_view dbName);

}  // namespace bus::app
