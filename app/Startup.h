// What the program works out at start-up before any window exists: the window title with the
// version and the city's suffix. (The route database named in config.ini and its connection string
// come from db/RouteConfig.h, which the updater shares.)
#pragma once

#include <string>
#include <string_view>

#include "core/Version.h"

namespace bus::app {

// The name the platform shows for the running program (taskbar button, message boxes).
inline constexpr std::string_view kApplicationTitle = "Zelvo公交车查询";
// The main window's title before the city is known: the name and the product's version.
inline constexpr std::string_view kInitialWindowTitle = "Zelvo公交车查询V" BUS_VERSION_TEXT;
// The caption stored with the main window, seen only until the routes are loaded.
inline constexpr std::string_view kStoredWindowCaption = "Zelvo公交车查询--西安";

// kInitialWindowTitle with the suffix of the city whose database dbName names (exact,
// case-sensitive: "xaway.db" gives "--西安", "bjway.db" "--北京", anything else nothing).
std::string WindowTitleFor(std::string_view dbName);

}  // namespace bus::app
