// BMP decoding and encoding: what loading a skin's bitmaps and writing screenshots cost.
#include <benchmark/benchmark.h>

#include "core/BmpFile.h"

namespace {

bus::BmpImage Gradient(int w, int h) {
  bus::BmpImage img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.SetPixel(x, y, 0xFF000000u | std::uint32_t(x & 0xFF) << 16 | std::uint32_t(y & 0xFF) << 8);
  return img;
}

void DecodeAt(benchmark::State& state, int bits) {
  const int w = int(state.range(0)), h = int(state.range(1));
  const auto file = bus::EncodeBmp(Gradient(w, h), bits);
  for (auto _ : state) benchmark::DoNotOptimize(bus::DecodeBmp(file));
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(file.size()));
}

void BM_Decode24(benchmark::State& state) { DecodeAt(state, 24); }
void BM_Decode32(benchmark::State& state) { DecodeAt(state, 32); }

void BM_Encode24(benchmark::State& state) {
  const auto img = Gradient(int(state.range(0)), int(state.range(1)));
  for (auto _ : state) benchmark::DoNotOptimize(bus::EncodeBmp(img, 24));
}

// A run-length file of mostly long runs, as drawn skin parts compress.
void BM_DecodeRle8(benchmark::State& state) {
  const int w = 256, h = 256;
  std::vector<std::uint8_t> pixels;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; x += 128) pixels.insert(pixels.end(), {128, std::uint8_t(y)});
    pixels.insert(pixels.end(), {0, 0});
  }
  pixels.insert(pixels.end(), {0, 1});
  std::vector<std::uint8_t> file = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0x36, 4, 0, 0, 40, 0, 0, 0, 0, 1, 0, 0, 0, 1,
                                    0, 0, 1, 0, 8, 0, 1, 0, 0, 0};
  file.resize(14 + 40 + 1024, 0);
  file.insert(file.end(), pixels.begin(), pixels.end());
  for (auto _ : state) benchmark::DoNotOptimize(bus::DecodeBmp(file));
}

BENCHMARK(BM_Decode24)->Args({64, 64})->Args({1024, 768});
BENCHMARK(BM_Decode32)->Args({1024, 768});
BENCHMARK(BM_Encode24)->Args({1024, 768});
BENCHMARK(BM_DecodeRle8);

}  // namespace

BENCHMARK_MAIN();
