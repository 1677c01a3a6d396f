// A full repaint of the main window under Wine, skinned and unskinned, side by side in one run: the
// window is built from the program's description over the bundled Xi'an database in this process,
// a stop search fills the grid, and then, in alternating rounds, the skin manager gives the window
// back (everything as without the skin) or adopts it again, and the whole window (frame, every
// child, the grid's rows) is invalidated and painted synchronously a few times. Each round's figure
// is the median of its repaints; the table gives the medians over the rounds and the median of the
// ratios of rounds made one after the other, which the load of the machine shifts less.
//   repaint_timing.exe [ROUNDS]   (21 by default)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/BusMain.h"
#include "app/Startup.h"
#include "bench/BenchSupport.h"
#include "bench/windows/MainWindowHarness.h"
#include "core/AppDirectory.h"
#include "framework/controls/Application.h"
#include "framework/controls/StdCtrls.h"
#include "grid/DBGrid.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"

namespace {

using namespace bus;
using bench::Median;
using bench::Settle;

constexpr int kRepaintsPerRound = 5;

// Milliseconds for one full repaint: everything invalidated, painted at once, and whatever the
// painting asked for afterwards handled.
double Repaint(TApplication& app, HWND window) {
  const double start = bench::NowMs();
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
  Settle(app);
  return bench::NowMs() - start;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 21;
  TApplication app;
  auto* form = bench::OpenMainWindow(app);
  form->Edit3->SetText("钟楼");
  wchar_t enter = L'\r';
  form->Edit3KeyPress(form->Edit3, enter);
  Settle(app);
  const HWND window = form->Handle();
  if (!SkinManager || !SkinManager->FindSkinForm(window)) {
    std::fprintf(stderr, "repaint_timing: the main window was not adopted\n");
    return 1;
  }
  const size_t wrappers = SkinManager->FindSkinForm(window)->Wrappers().size();
  const int rows = form->DBGrid1->Count();

  std::vector<double> skinned, plain, ratios;
  for (int i = 0; i < rounds + 1; ++i) {
    double figures[2] = {};
    // which comes first alternates, so neither always paints into a warm cache
    for (const bool skin : {i % 2 == 0, i % 2 != 0}) {
      if (skin) bench::Adopt(window);
      else bench::GiveBack(window);
      Settle(app);
      Repaint(app, window);  // the first paint after the change settles sizes and colours
      std::vector<double> times;
      for (int k = 0; k < kRepaintsPerRound; ++k) times.push_back(Repaint(app, window));
      figures[skin] = Median(times);
    }
    if (i == 0) continue;  // warming up
    skinned.push_back(figures[1]);
    plain.push_back(figures[0]);
    ratios.push_back(figures[1] / figures[0]);
  }
  bench::Adopt(window);
  Settle(app);

  std::printf("| Full repaint of the main window (Xi'an, %d rows after a stop search; %zu wrappers; %d rounds) "
              "| Median | Range |\n|---|---|---|\n",
              rows, wrappers, rounds);
  const auto row = [](const char* what, const std::vector<double>& v) {
    std::printf("| %s | %.2f ms | %.2f–%.2f ms |\n", what, Median(v), *std::min_element(v.begin(), v.end()),
                *std::max_element(v.begin(), v.end()));
  };
  row("unskinned", plain);
  row("skinned", skinned);
  std::printf("\nskinned / unskinned: %.2f (rounds paired: %.2f, range %.2f–%.2f)\n", Median(skinned) / Median(plain),
              Median(ratios), *std::min_element(ratios.begin(), ratios.end()),
              *std::max_element(ratios.begin(), ratios.end()));
  form->Free();
  Settle(app);
  return 0;
}
