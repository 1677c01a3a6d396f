// routeimport ROUTES.csv OUT.db
//
// Builds a route database from a route CSV file: one or more records of table "way" per CSV line
// (long lines continue in further records), in file order. Prints what it wrote.
#include <fstream>
#include <iostream>
#include <iterator>

#include "core/Exception.h"
#include "db/RouteTable.h"
#include "tools/routeimport/RouteCsv.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: routeimport ROUTES.csv OUT.db\n";
    return 2;
  }
  try {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) throw bus::Exception(std::string("cannot read ") + argv[1]);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<bus::db::RouteRecord> records;
    size_t lines = 0, stops = 0;
    for (const bus::tools::RouteLine& line : bus::tools::ParseRouteCsv(text)) {
      ++lines;
      stops += line.stops.size();
      for (bus::db::RouteRecord& r : bus::db::SplitRoute(line.no, line.stops)) records.push_back(std::move(r));
    }
    bus::db::WriteRouteDatabase(argv[2], records);
    std::cout << "routeimport: " << argv[2] << ": " << lines << " lines, " << stops << " stops, "
              << records.size() << " records\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "routeimport: " << e.what() << "\n";
    return 1;
  }
}
