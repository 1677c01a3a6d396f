// Skin data: expanding archives (the default skin, and a 3 MB archive of skin-like bitmaps),
// loading the default skin's archive, and reading its descriptor the way a skin load does.
#include <benchmark/benchmark.h>

#include <random>

#include "core/BmpFile.h"
#include "skin/data/LZH.h"
#include "skin/data/QuickIni.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinWriter.h"

namespace {

using bus::TMemoryStream;

TMemoryStream& DefaultSkin() {
  static TMemoryStream stored = [] {
    TMemoryStream s;
    s.LoadFromFile(std::filesystem::path(BUS_BENCH_BINARY_DIR) / "bussearch.skn");
    return s;
  }();
  return stored;
}

std::uint32_t DeclaredSize(TMemoryStream& stored) {
  const std::uint8_t* p = stored.Memory();
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

// About 3 MB of 24-bit bitmaps drawn like skin parts: gradients, outlines and dithering noise; it
// packs about as tightly as a real skin (5 : 1).
TMemoryStream& LargeArchive() {
  static TMemoryStream stored = [] {
    std::mt19937 rng(5);
    bus::TSkinWriter writer;
    std::size_t total = 0;
    for (int n = 0; total < 3'000'000; ++n) {
      const int w = 64 + int(rng() % 400), h = 16 + int(rng() % 120);
      bus::BmpImage image(w, h);
      const std::uint32_t base = rng() & 0xFFFFFF;
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          std::uint32_t c = base + std::uint32_t(y * 0x010101 / 4);
          if (x % 37 == 0 || y == 0) c = 0xB8C2C7;
          if (rng() % 8 == 0) c ^= rng() & 0x070307;  // dithering noise, so that it packs about 5 : 1
          if (x < 3 && y < 3) c = 0xFF00FF;
          image.SetPixel(x, y, 0xFF000000u | (c & 0xFFFFFF));
        }
      }
      const auto bytes = bus::EncodeBmp(image, 24);
      total += bytes.size();
      writer.AddMember("image" + std::to_string(n) + ".bmp", bytes);
    }
    TMemoryStream s;
    writer.Save(s);
    return s;
  }();
  return stored;
}

void Expand(benchmark::State& state, TMemoryStream& stored) {
  const std::uint32_t size = DeclaredSize(stored);
  const std::span<const std::uint8_t> packed{stored.Memory() + 4, std::size_t(stored.Size() - 4)};
  for (auto _ : state) benchmark::DoNotOptimize(bus::LzhExpand(packed, size));
  state.SetBytesProcessed(std::int64_t(state.iterations()) * size);
  state.counters["packed"] = double(packed.size());
  state.counters["expanded"] = double(size);
}

void BM_ExpandDefaultSkin(benchmark::State& state) { Expand(state, DefaultSkin()); }
BENCHMARK(BM_ExpandDefaultSkin)->Unit(benchmark::kMicrosecond);

void BM_Expand3MBArchive(benchmark::State& state) { Expand(state, LargeArchive()); }
BENCHMARK(BM_Expand3MBArchive)->Unit(benchmark::kMillisecond);

void BM_LoadDefaultSkinArchive(benchmark::State& state) {
  bus::TSkinReader reader;
  for (auto _ : state) benchmark::DoNotOptimize(reader.Load(DefaultSkin()));
}
BENCHMARK(BM_LoadDefaultSkinArchive)->Unit(benchmark::kMicrosecond);

// Parse the descriptor, then look up every key of every section once, as a skin load does.
void BM_ParseDescriptor(benchmark::State& state) {
  bus::TSkinReader reader;
  reader.Load(DefaultSkin());
  TMemoryStream descriptor;
  std::string name;
  reader.ExtractByPart(".ini", descriptor, name);
  bus::TQuickIni probe;
  probe.LoadFromStream(descriptor);
  std::vector<std::pair<std::string, std::string>> lookups;
  std::string section;
  for (const std::string& line : probe.Lines()) {
    if (line.front() == '[') section = line.substr(1, line.size() - 2);
    else if (line.find('=') != std::string::npos) lookups.emplace_back(section, line.substr(0, line.find('=')));
  }
  for (auto _ : state) {
    descriptor.SetPosition(0);
    bus::TQuickIni ini;
    ini.LoadFromStream(descriptor);
    for (const auto& [s, k] : lookups) benchmark::DoNotOptimize(ini.ReadString(s, k, ""));
  }
  state.counters["lookups"] = double(lookups.size());
}
BENCHMARK(BM_ParseDescriptor)->Unit(benchmark::kMicrosecond);

void BM_CompressDefaultSkin(benchmark::State& state) {
  bus::TSkinReader reader;
  reader.Load(DefaultSkin());
  // the expanded archive again, by expanding the stored one
  TMemoryStream& stored = DefaultSkin();
  const auto expanded = bus::LzhExpand({stored.Memory() + 4, std::size_t(stored.Size() - 4)}, DeclaredSize(stored));
  for (auto _ : state) benchmark::DoNotOptimize(bus::LzhCompress(expanded));
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(expanded.size()));
}
BENCHMARK(BM_CompressDefaultSkin)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
