// Route database layer: connecting, fetching every route, and the 51-term fuzzy condition a stop
// search runs, on the bundled Xi'an data and on a synthetic 100,000-record database.
#include <benchmark/benchmark.h>

#include "bench/BenchSupport.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/RouteTable.h"

namespace {

using namespace bus;

std::filesystem::path databaseFor(int records) {
  return records == 0 ? bench::xianDatabase() : bench::syntheticDatabase(records);
}

// Arg 0 = the Xi'an database; otherwise a synthetic one of that many records.
void BM_Connect(benchmark::State& state) {
  const std::string cs = bench::connectionStringFor(databaseFor(int(state.range(0))));
  for (auto _ : state) {
    db::Connection c;
    c.open(cs);
    benchmark::DoNotOptimize(c.handle());
  }
}

void BM_SelectAll(benchmark::State& state) {
  db::Connection c;
  c.open(bench::connectionStringFor(databaseFor(int(state.range(0)))));
  db::Query q(c);
  q.setStatement("select * from way ");
  for (auto _ : state) {
    q.open();
    benchmark::DoNotOptimize(q.recordCount());
  }
  state.counters["records"] = q.recordCount();
}

// Every field "like" the text: the statement a fuzzy stop search runs; "5" and "东" are short
// texts that match many records.
void fuzzyAllFields(benchmark::State& state, const char* text) {
  db::Connection c;
  c.open(bench::connectionStringFor(databaseFor(int(state.range(0)))));
  std::string sql = "select * from way where  ";
  std::vector<std::string> params;
  for (int f = 0; f < db::kRouteFields; ++f) {
    if (f) sql += " or ";
    sql += db::routeFieldName(f) + " like ? escape '\\'";
    params.push_back(std::string("%") + text + "%");
  }
  db::Query q(c);
  q.setStatement(sql, params);
  for (auto _ : state) {
    q.open();
    benchmark::DoNotOptimize(q.recordCount());
  }
  state.counters["matches"] = q.recordCount();
}
void BM_FuzzyAllFieldsDigit(benchmark::State& state) { fuzzyAllFields(state, "5"); }
void BM_FuzzyAllFieldsStop(benchmark::State& state) { fuzzyAllFields(state, "东"); }

BENCHMARK(BM_Connect)->Arg(0)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectAll)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FuzzyAllFieldsDigit)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FuzzyAllFieldsStop)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
