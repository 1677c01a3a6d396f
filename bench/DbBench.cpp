// Route database layer: connecting, fetching every route, and the 51-term fuzzy condition a stop
// search runs, on the bundled Xi'an data and on a synthetic 100,000-record database.
#include <benchmark/benchmark.h>

#include "bench/BenchSupport.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/RouteTable.h"

namespace {

using namespace bus;

std::filesystem::path DatabaseFor(int records) {
  return records == 0 ? bench::XianDatabase() : bench::SyntheticDatabase(records);
}

// Arg 0 = the Xi'an database; otherwise a synthetic one of that many records.
void BM_Connect(benchmark::State& state) {
  const std::string cs = bench::ConnectionStringFor(DatabaseFor(int(state.range(0))));
  for (auto _ : state) {
    db::Connection c;
    c.Open(cs);
    benchmark::DoNotOptimize(c.Handle());
  }
}

void BM_SelectAll(benchmark::State& state) {
  db::Connection c;
  c.Open(bench::ConnectionStringFor(DatabaseFor(int(state.range(0)))));
  db::Query q(c);
  q.SetStatement("select * from way ");
  for (auto _ : state) {
    q.Open();
    benchmark::DoNotOptimize(q.RecordCount());
  }
  state.counters["records"] = q.RecordCount();
}

// Every field "like" the text: the statement a fuzzy stop search runs; "5" and "东" are short
// texts that match many records.
void FuzzyAllFields(benchmark::State& state, const char* text) {
  db::Connection c;
  c.Open(bench::ConnectionStringFor(DatabaseFor(int(state.range(0)))));
  std::string sql = "select * from way where  ";
  std::vector<std::string> params;
  for (int f = 0; f < db::kRouteFields; ++f) {
    if (f) sql += " or ";
    sql += db::RouteFieldName(f) + " like ? escape '\\'";
    params.push_back(std::string("%") + text + "%");
  }
  db::Query q(c);
  q.SetStatement(sql, params);
  for (auto _ : state) {
    q.Open();
    benchmark::DoNotOptimize(q.RecordCount());
  }
  state.counters["matches"] = q.RecordCount();
}
void BM_FuzzyAllFieldsDigit(benchmark::State& state) { FuzzyAllFields(state, "5"); }
void BM_FuzzyAllFieldsStop(benchmark::State& state) { FuzzyAllFields(state, "东"); }

BENCHMARK(BM_Connect)->Arg(0)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectAll)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FuzzyAllFieldsDigit)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FuzzyAllFieldsStop)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
