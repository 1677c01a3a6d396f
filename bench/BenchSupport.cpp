#include "bench/BenchSupport.h"

#include <algorithm>
#include <cassert>
#include <chrono>
#include <cstdio>
#include <map>
#include <random>

#include "db/RouteTable.h"

namespace bus::bench {

namespace fs = std::filesystem;

fs::path XianDatabase() { return fs::path(BUS_BENCH_BINARY_DIR) / "xaway.db"; }
fs::path BeijingDatabase() { return fs::path(BUS_BENCH_BINARY_DIR) / "bjway.db"; }

fs::path SyntheticDatabase(int records) {
  static std::map<int, fs::path> made;
  if (auto it = made.find(records); it != made.end()) return it->second;
  const fs::path dir = fs::temp_directory_path() / "bussearch-bench";
  fs::create_directories(dir);
  const fs::path file = dir / ("synthetic-" + std::to_string(records) + ".db");
  if (!fs::exists(file)) {
    static const char* const syllables[] = {"东", "西", "南", "北", "大", "小", "新", "老", "桥", "门",
                                            "路", "街", "村", "园", "口", "寨", "楼", "城", "坊", "湖"};
    std::mt19937 rng(12345);
    std::vector<std::string> pool;
    for (int i = 0; i < 20000; ++i) {
      std::string name;
      for (int k = 0; k < 2 + i % 4; ++k) name += syllables[rng() % 20];
      pool.push_back(name + std::to_string(i % 97));
    }
    std::vector<db::RouteRecord> rows;
    rows.reserve(size_t(records));
    for (int r = 0; r < records; ++r) {
      db::RouteRecord rec;
      rec.no = (r % 7 == 0 ? "K" : "") + std::to_string(r / 2 + 1);
      const int stops = 10 + int(rng() % 40);
      for (int s = 0; s < stops; ++s) rec.stops.push_back(pool[rng() % pool.size()]);
      rows.push_back(std::move(rec));
    }
    db::WriteRouteDatabase(file, rows);
  }
  made[records] = file;
  return file;
}

std::string ConnectionStringFor(const fs::path& file) {
  return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file.string() +
         ";Persist Security Info=False;Jet OLEDB:Database Password=mbtrwqazpl";
}

double NowMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

Spread Summarise(std::vector<double> times) {
  assert(!times.empty());
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times.front(), times.back()};
}

void PrintSpread(const char* what, const Spread& s, int decimals) {
  std::printf("| %s | %.*f ms | %.*f–%.*f ms |\n", what, decimals, s.median, decimals, s.fastest, decimals, s.slowest);
}

}  // namespace bus::bench
