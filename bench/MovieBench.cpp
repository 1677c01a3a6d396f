// Building a banner movie from its pieces: what loading an animated banner costs beyond decoding.
#include <benchmark/benchmark.h>

#include <vector>

#include "banner/Movie.h"

namespace {

using namespace bus::banner;

// A 351 × 73 banner of `frames` frames: a full first frame, then 120 × 40 pieces moving across,
// every other pixel transparent, disposals mixed as animation tools write them.
void BM_ComposeBanner(benchmark::State& state) {
  const int frames = int(state.range(0));
  const std::vector<std::uint32_t> background(351 * 73, 0xFF204080);
  std::vector<std::uint32_t> piece(120 * 40);
  for (size_t i = 0; i < piece.size(); ++i) piece[i] = i % 2 ? 0xFFE0C040 : 0;
  for (auto _ : state) {
    TMovieComposer composer(351, 73);
    MoviePiece first;
    first.width = 351;
    first.height = 73;
    first.pixels = background;
    composer.Add(first);
    for (int f = 1; f < frames; ++f) {
      MoviePiece p;
      p.left = (f * 7) % 231;
      p.top = (f * 3) % 33;
      p.width = 120;
      p.height = 40;
      p.pixels = piece;
      p.disposal = f % 3 == 0 ? TFrameDisposal::Previous : f % 3 == 1 ? TFrameDisposal::Background : TFrameDisposal::Keep;
      p.delayCentiseconds = 8;
      composer.Add(p);
    }
    benchmark::DoNotOptimize(composer.Finish(0));
  }
  state.SetItemsProcessed(std::int64_t(state.iterations()) * frames);
}
BENCHMARK(BM_ComposeBanner)->Arg(10)->Arg(60);

}  // namespace

BENCHMARK_MAIN();
