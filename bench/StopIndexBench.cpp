// The stop index behind the suggestions: building it from the bundled Xi'an (arg 0) and Beijing
// (arg 1) databases, one lookup in it, and, side by side, what the lookup replaces: a plain "like"
// over the 49 stop cells of every record for the same text.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/RouteTable.h"
#include "search/StopIndex.h"

namespace {

using namespace bus;

struct Fixture {
  db::Connection connection;
  explicit Fixture(const benchmark::State& state) {
    connection.Open(bench::ConnectionStringFor(state.range(0) == 0 ? bench::XianDatabase() : bench::BeijingDatabase()));
  }
};

void BM_StopIndexBuild(benchmark::State& state) {
  Fixture f(state);
  size_t stops = 0;
  for (auto _ : state) {
    const search::StopIndex index = search::StopIndex::FromDatabase(f.connection);
    stops = index.StopCount();
    benchmark::DoNotOptimize(stops);
  }
  state.counters["stops"] = double(stops);
}

void Suggest(benchmark::State& state, const char* text) {
  Fixture f(state);
  const search::StopIndex index = search::StopIndex::FromDatabase(f.connection);
  size_t found = 0;
  for (auto _ : state) {
    const auto suggestions = index.Suggest(text);
    found = suggestions.size();
    benchmark::DoNotOptimize(suggestions.data());
  }
  state.counters["found"] = double(found);
}

// select * from way where w0 like '%text%' or ... or w48 like '%text%', every record fetched.
void LikeOverStopCells(benchmark::State& state, const char* text) {
  Fixture f(state);
  std::string sql = "select * from way where ";
  for (int i = 0; i < db::kStopFields; ++i) {
    if (i) sql += " or ";
    sql += db::RouteFieldName(2 + i) + " like ? escape '\\'";
  }
  const std::vector<std::string> parameters(db::kStopFields, std::string("%") + text + "%");
  db::Query query(f.connection);
  int records = 0;
  for (auto _ : state) {
    query.Close();
    query.SetStatement(sql, parameters);
    query.Open();
    records = query.RecordCount();
  }
  state.counters["records"] = records;
}

void BM_SuggestInitials(benchmark::State& s) { Suggest(s, "zl"); }
void BM_SuggestOneLetter(benchmark::State& s) { Suggest(s, "z"); }
void BM_SuggestPinyin(benchmark::State& s) { Suggest(s, "xizhimen"); }
void BM_SuggestCharacter(benchmark::State& s) { Suggest(s, "路"); }
void BM_LikeInitials(benchmark::State& s) { LikeOverStopCells(s, "zl"); }
void BM_LikeCharacter(benchmark::State& s) { LikeOverStopCells(s, "路"); }

BENCHMARK(BM_StopIndexBuild)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SuggestInitials)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SuggestOneLetter)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SuggestPinyin)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SuggestCharacter)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LikeInitials)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LikeCharacter)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
