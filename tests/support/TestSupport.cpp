#include "tests/support/TestSupport.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <system_error>

namespace bus::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = fs::temp_directory_path() /
          ("bustest-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  fs::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(path_, ec); it != fs::recursive_directory_iterator(); it.increment(ec))
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

std::string TempDir::File(const std::string& name) const { return Utf8(path_ / FromUtf8(name)); }

std::string Utf8(const fs::path& p) {
  const std::u8string s = p.u8string();
  return std::string(s.begin(), s.end());
}

fs::path FromUtf8(const std::string& s) { return fs::path(std::u8string(s.begin(), s.end())); }

fs::path RoutesSourceDir() { return FromUtf8(BUS_TEST_SOURCE_DIR) / "data" / "routes"; }
fs::path BinaryDir() { return FromUtf8(BUS_TEST_BINARY_DIR); }

void WriteRoutes(const fs::path& path,
                 const std::vector<std::pair<std::string, std::vector<std::string>>>& routes) {
  std::vector<db::RouteRecord> records;
  for (const auto& [no, stops] : routes) records.push_back({no, stops});
  db::WriteRouteDatabase(path, records);
}

std::string ConnectionStringFor(const fs::path& path) {
  return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + Utf8(path) +
         ";Persist Security Info=False;Jet OLEDB:Database Password=mbtrwqazpl";
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace bus::test
