#include "db/RouteConfig.h"

#include <filesystem>

#include "core/IniFile.h"

namespace bus::db {

namespace {

std::string ConfigValue(std::string_view appDirectory, std::string_view key) {
  std::string file(appDirectory);
  file += kConfigFileName;
  return IniFileValue(std::filesystem::path(std::u8string(file.begin(), file.end())), "config", key);
}

}  // namespace

std::string ReadDbName(std::string_view appDirectory) { return ConfigValue(appDirectory, "dbName"); }

std::string ReadUpdateUrl(std::string_view appDirectory) { return ConfigValue(appDirectory, "updateUrl"); }

std::string RouteConnectionString(std::string_view appDirectory, std::string_view dbName) {
  std::string s = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";
  s += appDirectory;
  s += dbName;
  s += ";Persist Security Info=False;Jet OLEDB:Database Password=mbtrwqazpl";
  return s;
}

std::string_view CityOfDatabase(std::string_view dbName) {
  if (dbName == "xaway.db") return "西安";
  if (dbName == "bjway.db") return "北京";
  return {};
}

}  // namespace bus::db
