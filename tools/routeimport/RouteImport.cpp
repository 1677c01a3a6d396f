// routeimport [--city NAME] [--version N] [--manifest FILE] ROUTES.csv OUT.db
//
// Builds a route database from a route CSV file: one or more records of table "way" per CSV line
// (long lines continue in further records), in file order, with the city and data version it is
// told recorded beside them. With --manifest it also writes the update manifest that announces
// OUT.db as a route file (named by its file name, beside the manifest). Prints what it wrote.
#include <fstream>
#include <iostream>
#include <iterator>

#include "core/Exception.h"
#include "core/Sha256.h"
#include "db/RouteTable.h"
#include "db/UpdateManifest.h"
#include "tools/routeimport/RouteCsv.h"

namespace {

constexpr const char* kUsage = "usage: routeimport [--city NAME] [--version N] [--manifest FILE] ROUTES.csv OUT.db\n";

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw bus::Exception("cannot read " + path);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
  bus::db::RouteDataInfo info;
  std::string manifestPath;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--city" && hasValue) {
      info.city = argv[++i];
    } else if (arg == "--version" && hasValue) {
      char* end = nullptr;
      info.version = std::strtoll(argv[++i], &end, 10);
      if (*end != '\0' || info.version <= 0) {
        std::cerr << "routeimport: the version must be a positive whole number\n";
        return 2;
      }
    } else if (arg == "--manifest" && hasValue) {
      manifestPath = argv[++i];
    } else if (arg.rfind("--", 0) == 0) {
      std::cerr << kUsage;
      return 2;
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2 || (!manifestPath.empty() && (info.city.empty() || info.version == 0))) {
    std::cerr << kUsage << "(a manifest needs --city and --version)\n";
    return 2;
  }
  try {
    std::vector<bus::db::RouteRecord> records;
    size_t lines = 0, stops = 0;
    for (const bus::tools::RouteLine& line : bus::tools::ParseRouteCsv(ReadText(files[0]))) {
      ++lines;
      stops += line.stops.size();
      for (bus::db::RouteRecord& r : bus::db::SplitRoute(line.no, line.stops)) records.push_back(std::move(r));
    }
    bus::db::WriteRouteDatabase(files[1], records, info);
    std::cout << "routeimport: " << files[1] << ": " << lines << " lines, " << stops << " stops, " << records.size()
              << " records\n";
    if (!manifestPath.empty()) {
      const std::string content = ReadText(files[1]);
      bus::db::UpdateManifest manifest;
      manifest.city = info.city;
      manifest.version = info.version;
      manifest.file = files[1].substr(files[1].find_last_of("/\\") + 1);
      manifest.size = content.size();
      manifest.sha256 = bus::Sha256::Of(content);
      std::ofstream out(manifestPath, std::ios::binary);
      out << bus::db::FormatUpdateManifest(manifest);
      if (!out.flush()) throw bus::Exception("cannot write " + manifestPath);
      std::cout << "routeimport: " << manifestPath << ": version " << info.version << "\n";
    }
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "routeimport: " << e.what() << "\n";
    return 1;
  }
}
