// Data for the benchmarks: the bundled Xi'an database and a synthetic route database of any size
// with the same shape (made once per run in a scratch directory); and a clock for the timing
// harnesses that measure outside Google Benchmark.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace bus::bench {

// The Xi'an and Beijing databases the build bundles.
std::filesystem::path XianDatabase();
std::filesystem::path BeijingDatabase();

// A route database of `records` records: line numbers "1".."n" with letters mixed in, 10 to 49
// stops each drawn from a pool of 20,000 Chinese stop names. Made on first use, then reused.
std::filesystem::path SyntheticDatabase(int records);

// Connection string for a database file.
std::string ConnectionStringFor(const std::filesystem::path& file);

// Milliseconds on a steady clock (the performance counter on Windows), from an arbitrary start.
double NowMs();

// The median, fastest and slowest of a set of timings (milliseconds).
struct Spread {
  double median, fastest, slowest;
};
// Summarises timings; there must be at least one.
Spread Summarise(std::vector<double> times);
// Prints one table row "| what | median ms | fastest–slowest ms |" with the given decimals.
void PrintSpread(const char* what, const Spread& s, int decimals);

}  // namespace bus::bench
