#include "tests/support/RouteUpdateFiles.h"

#include "core/Sha256.h"
#include "db/RouteTable.h"
#include "db/UpdateManifest.h"
#include "tests/support/TestSupport.h"

namespace bus::test {

RouteUpdateFiles NewerXianRoutes(const std::string& city, long long version) {
  db::RouteFile file = db::ReadRouteFile(BinaryDir() / "xaway.db");
  RouteUpdateFiles update;
  update.changedLine = file.records.front().no;
  update.newStop = "新开通站";
  file.records.front().stops.insert(file.records.front().stops.begin() + 1, update.newStop);
  if (file.records.front().stops.size() > size_t(db::kStopFields)) file.records.front().stops.pop_back();
  update.addedLine = "999";
  file.records.push_back({update.addedLine, {"测试始发站", update.newStop, "测试终点站"}});
  update.records = file.records.size();
  update.version = version;
  TempDir dir;
  db::WriteRouteDatabase(dir.Path() / kRouteFileName, file.records, {city, version});
  update.routes = ReadFile(dir.Path() / kRouteFileName);
  update.manifest = db::FormatUpdateManifest(
      {city, version, kRouteFileName, update.routes.size(), Sha256::Of(update.routes)});
  return update;
}

std::string WithManifestValue(std::string manifest, const std::string& key, const std::string& value) {
  const size_t start = manifest.find(key + "=") + key.size() + 1;
  manifest.replace(start, manifest.find("\r\n", start) - start, value);
  return manifest;
}

}  // namespace bus::test
