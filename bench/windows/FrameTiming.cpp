// Timings of the skinned window frame under Wine, on the main window built from its description over
// the bundled Xi'an database: a whole frame paint (PaintFrame: borders, caption strip with its text
// and buttons), building and setting the window region from the border pictures (ApplyRegion), and
// one resize step (the window made 40 pixels wider or narrower and everything repainted: the new
// frame, the new region, the client area's new layout). Prints one table of medians with the
// fastest and slowest of the runs (a number of runs as first argument, 200 by default).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/BusMain.h"
#include "app/Startup.h"
#include "bench/BenchSupport.h"
#include "core/WideText.h"
#include "framework/controls/Application.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"

namespace {

using namespace bus;
namespace fs = std::filesystem;

using bench::Spread;
using bench::Summarise;

void Print(const char* what, const Spread& s) { bench::PrintSpread(what, s, 3); }

void Drain(TApplication& app) {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE)) app.ProcessMessages();
}

// Runs step `runs` times and returns each run's time.
template <class Step>
std::vector<double> Time(int runs, Step step) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double start = bench::NowMs();
    step(i);
    times.push_back(bench::NowMs() - start);
  }
  return times;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int kRuns = argc > 1 ? std::max(3, _wtoi(argv[1])) : 200;
  TApplication app;
  app.Initialize();
  app.SetTitle(std::string(app::kApplicationTitle));
  RegisterBusMainClasses();
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const fs::path bin = fs::path(self).parent_path();
  TfrmBusMain::SetStartupOverrides(Narrow(bin.wstring()) + "\\", "http://127.0.0.1:1/softdownload/update/qbn");
  auto* form = app.CreateForm<TfrmBusMain>(BusMainDescription());
  const HWND window = form->Handle();
  SetForegroundWindow(window);
  TSkinForm* object = nullptr;
  const double deadline = bench::NowMs() + 10000;
  while (!((object = SkinManager->FindSkinForm(window)) && object->ChildrenSkinned()) && bench::NowMs() < deadline) {
    app.ProcessMessages();
    Sleep(1);
  }
  if (!object || !object->FrameSkinning()) {
    std::fprintf(stderr, "frame_timing: the main window was not given the skin's frame\n");
    return 1;
  }
  Drain(app);
  RECT r{};
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;

  const auto paint = Time(kRuns, [&](int) { object->PaintFrame(); });
  const auto region = Time(kRuns, [&](int) {
    object->ClearRegion();  // the next one is built afresh, as after a size change
    object->ApplyRegion();
  });
  // the platform's share of it: the same finished region set again (a copy each time, since the
  // window owns the one it is given)
  const GdiObject<HRGN> finished(CreateRectRgn(0, 0, 0, 0));
  GetWindowRgn(window, finished.Get());
  const auto setOnly = Time(kRuns, [&](int) {
    GdiObject<HRGN> copy(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(copy.Get(), finished.Get(), nullptr, RGN_COPY);
    if (SetWindowRgn(window, copy.Get(), TRUE)) copy.Release();
  });
  const int builds = object->RegionBuilds();
  const auto resize = Time(kRuns, [&](int i) {
    SetWindowPos(window, nullptr, 0, 0, w + (i % 2 ? 0 : 40), h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Drain(app);
  });
  std::printf("| What (main window %d × %d; median of %d) | Median | Range |\n|---|---|---|\n", w, h, kRuns);
  Print("PaintFrame: the whole frame painted", Summarise(paint));
  Print("ApplyRegion: the region built from the border pictures and set", Summarise(region));
  Print("SetWindowRgn alone: the same finished region set again", Summarise(setOnly));
  Print("a resize step: 40 pixels wider or narrower, everything repainted", Summarise(resize));
  std::printf("(regions built during the resizes: %d for %d steps)\n", object->RegionBuilds() - builds, kRuns);
  form->Free();
  Drain(app);
  return 0;
}
