// Time of loading our default skin in the product build, under Wine: expanding the stored archive,
// reading the descriptor and every bitmap into skin objects, composing the combo images.
//
//   bash scripts/wine-test.sh build/windows/wine build/windows/bin/skin_load_timing.exe [runs]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/WideText.h"
#include "skin/data/SkinData.h"

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return double(to.QuadPart - from.QuadPart) / double(f.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const std::filesystem::path archive = std::filesystem::path(exe).parent_path() / "bussearch.skn";
  try {
    bus::TSkinData skin(nullptr);
    skin.StoredSkin().LoadFromFile(archive);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
      LARGE_INTEGER a, b;
      QueryPerformanceCounter(&a);
      const bool ok = skin.LoadSkin();
      QueryPerformanceCounter(&b);
      if (!ok) {
        std::printf("the default skin did not load\n");
        return 1;
      }
      times.push_back(Seconds(a, b));
    }
    std::sort(times.begin(), times.end());
    std::printf("LoadSkin of %s (%lld bytes stored), %d runs: min %.2f ms, median %.2f ms, max %.2f ms\n",
                bus::Narrow(archive.wstring()).c_str(), static_cast<long long>(skin.StoredSkin().Size()), runs,
                times.front() * 1e3, times[times.size() / 2] * 1e3, times.back() * 1e3);
    return 0;
  } catch (const std::exception& e) {
    std::printf("error: %s\n", e.what());
    return 1;
  }
}
