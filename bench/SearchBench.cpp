// The searches a traveller runs, as the main window runs them, on the bundled Xi'an data (arg 0) and
// on a synthetic 100,000-record database. The texts are the worst short ones: the empty text and
// single characters that most records contain.
#include <benchmark/benchmark.h>

#include "search/RouteSearch.h"
#include "search/TransferPlans.h"
#include "bench/BenchSupport.h"
#include "db/Connection.h"
#include "db/Query.h"

namespace {

using namespace bus;
using search::MatchMode;

// A connection to the Xi'an database (records 0) or a synthetic one, and the grid's query on it.
struct Fixture {
  db::Connection connection;
  db::Query query{connection};
  explicit Fixture(const benchmark::State& state) {
    const int records = int(state.range(0));
    connection.Open(bench::ConnectionStringFor(records == 0 ? bench::XianDatabase() : bench::SyntheticDatabase(records)));
  }
};

void StopSearch(benchmark::State& state, const char* text, MatchMode mode) {
  Fixture f(state);
  for (auto _ : state) benchmark::DoNotOptimize(search::StopSearch(f.query, text, mode));
  state.counters["records"] = f.query.RecordCount();
}

void LineSearch(benchmark::State& state, const char* text) {
  Fixture f(state);
  for (auto _ : state) benchmark::DoNotOptimize(search::LineSearch(f.query, text, MatchMode::Fuzzy));
  state.counters["records"] = f.query.RecordCount();
}

void TwoStopSearch(benchmark::State& state, const char* from, const char* to) {
  Fixture f(state);
  for (auto _ : state) benchmark::DoNotOptimize(search::TwoStopSearch(f.query, from, to, MatchMode::Fuzzy));
  state.counters["records"] = f.query.RecordCount();
}

void PlanSearch(benchmark::State& state, const char* from, const char* to) {
  Fixture f(state);
  long long plans = 0;
  for (auto _ : state) {
    const search::TransferPlans p = search::FindTransferPlans(f.query, from, to, MatchMode::Fuzzy);
    plans = p.count;
    benchmark::DoNotOptimize(p.sentences.data());
  }
  state.counters["plans"] = double(plans);
}

void BM_StopSearchEmpty(benchmark::State& s) { StopSearch(s, "", MatchMode::Fuzzy); }
void BM_StopSearchRoad(benchmark::State& s) { StopSearch(s, "路", MatchMode::Fuzzy); }
void BM_StopSearchDigit(benchmark::State& s) { StopSearch(s, "5", MatchMode::Fuzzy); }
void BM_StopSearchNoMatch(benchmark::State& s) { StopSearch(s, "没有这站", MatchMode::Fuzzy); }
void BM_StopSearchExact(benchmark::State& s) { StopSearch(s, "钟楼", MatchMode::Exact); }
void BM_LineSearchDigit(benchmark::State& s) { LineSearch(s, "5"); }
void BM_TwoStopSearchShort(benchmark::State& s) { TwoStopSearch(s, "路", "口"); }
void BM_TwoStopSearchNone(benchmark::State& s) { TwoStopSearch(s, "兵马俑", "小寨"); }
void BM_PlanSearchShort(benchmark::State& s) { PlanSearch(s, "东", "西"); }
void BM_PlanSearchEmpty(benchmark::State& s) { PlanSearch(s, "", ""); }
void BM_PlanSearchStops(benchmark::State& s) { PlanSearch(s, "兵马俑", "小寨"); }

#define SEARCH_BENCH(name) BENCHMARK(name)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond)
SEARCH_BENCH(BM_StopSearchEmpty);
SEARCH_BENCH(BM_StopSearchRoad);
SEARCH_BENCH(BM_StopSearchDigit);
SEARCH_BENCH(BM_StopSearchNoMatch);
SEARCH_BENCH(BM_StopSearchExact);
SEARCH_BENCH(BM_LineSearchDigit);
SEARCH_BENCH(BM_TwoStopSearchShort);
SEARCH_BENCH(BM_TwoStopSearchNone);
SEARCH_BENCH(BM_PlanSearchShort);
SEARCH_BENCH(BM_PlanSearchEmpty);
SEARCH_BENCH(BM_PlanSearchStops);

}  // namespace

BENCHMARK_MAIN();
