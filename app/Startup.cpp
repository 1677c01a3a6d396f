#include "app/Startup.h"

#include "db/RouteConfig.h"

namespace bus::app {

std::string WindowTitleFor(std::string_view dbName) {
  std::string title(kInitialWindowTitle);
  if (const std::string_view city = db::CityOfDatabase(dbName); !city.empty()) title += "--" + std::string(city);
  return title;
}

}  // namespace bus::app
