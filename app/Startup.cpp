#include "app/Startup.h"

#include <filesystem>

#include "core/IniFile.h"

namespace bus::app {

std::string ReadDbName(std::string_view appDirectory) {
  std::string file(appDirectory);
  file += kConfigFileName;
  return IniFileValue(std::filesystem::path(std::u8string(file.begin(), file.end())), "config", "dbName");
}

std::string WindowTitleFor(std::string_view dbName) {
  std::string title(kInitialWindowTitle);
  if (dbName == "xaway.db") title += "--西安";
  if (dbName == "bjway.db") title += "--北京";
  return title;
}

std::string RouteConnectionString(std::string_view appDirectory, std::string_view dbName) {
  std::string s = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";
  s += appDirectory;
  s += dbName;
  s += ";Persist Security Info=False;Jet OLEDB:Database Password=mbtrwqazpl";
  return s;
}

}  // namespace bus::app
