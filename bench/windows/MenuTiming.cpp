// Timings of the skinned popup menus under Wine, skinned and unskinned side by side in one run. The
// main window is built from the program's description in this process; then, in alternating
// rounds, the skin manager gives the window back (its menus drawn by the platform again) or adopts
// it again, and
//   - the tray menu is opened as a right press on the icon does, from the press to the end of the
//     menu window's first paint (its items drawn), after which the menu is closed;
//   - one item of the tray menu ("隐藏") is measured and painted onto an off-screen bitmap the way
//     the menu asks for it: skinned, by the skin's measure and draw events; unskinned, by the
//     layer's own.
// Each round's figure is the median of its samples; the table gives the medians over the rounds and
// the median of the ratios of rounds made one after the other.
//   menu_timing.exe [ROUNDS]   (21 by default)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/BusMain.h"
#include "bench/BenchSupport.h"
#include "bench/windows/MainWindowHarness.h"
#include "framework/controls/Application.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"
#include "tray/TrayIcon.h"

namespace {

using namespace bus;
using bench::Median;
using bench::Settle;

constexpr int kOpensPerRound = 5;
constexpr int kItemCalls = 200;

// Unskinned: the window given back and the menu windows left to the platform as well.
void GiveBack(HWND window) {
  bench::GiveBack(window);
  SkinManager->SetActive(false);
}

void Adopt(HWND window) {
  SkinManager->SetActive(true);
  bench::Adopt(window);
}

// When the first WM_PAINT of a menu window has returned, and the menu is closed then.
double gPainted = 0;
LRESULT CALLBACK AfterPaint(int code, WPARAM wParam, LPARAM lParam) {
  const auto* c = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && c->message == WM_PAINT && gPainted == 0) {
    wchar_t name[16] = {};
    GetClassNameW(c->hwnd, name, 16);
    if (std::wstring(name) == L"#32768") {
      gPainted = bench::NowMs();
      PostMessageW(c->hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Milliseconds from the press on the tray icon to the painted menu; -1 when no paint was seen.
double OpenTrayMenu(TApplication& app, TTrayIcon& tray) {
  gPainted = 0;
  const double start = bench::NowMs();
  SendMessageW(tray.Handle(), TTrayIcon::kCallbackMessage, TTrayIcon::kIconId, WM_RBUTTONDOWN);
  Settle(app);
  return gPainted > 0 ? gPainted - start : -1;
}

// Microseconds to measure and paint item once, as the menu asks for it.
double MeasureAndPaint(TMenuItem& item, TBitmap& target) {
  TCanvas& canvas = target.Canvas();
  canvas.SetFont(Screen().MenuFont());
  const double start = bench::NowMs();
  for (int i = 0; i < kItemCalls; ++i) {
    int width = 0, height = 0;
    item.MeasureItem(canvas, width, height);
    item.DrawItem(canvas, {0, 0, std::min(width, target.Width()), std::min(height, target.Height())}, i % 2 == 0);
  }
  GdiFlush();
  return (bench::NowMs() - start) * 1000.0 / kItemCalls;
}

void Row(const char* what, const std::vector<double>& v, const char* unit) {
  std::printf("| %s | %.2f %s | %.2f–%.2f %s |\n", what, Median(v), unit, *std::min_element(v.begin(), v.end()),
              *std::max_element(v.begin(), v.end()), unit);
}

void Ratio(const char* what, const std::vector<double>& skinned, const std::vector<double>& plain,
           const std::vector<double>& paired) {
  std::printf("%s skinned / unskinned: %.2f (rounds paired: %.2f, range %.2f–%.2f)\n", what,
              Median(skinned) / Median(plain), Median(paired), *std::min_element(paired.begin(), paired.end()),
              *std::max_element(paired.begin(), paired.end()));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 21;
  TApplication app;
  auto* form = bench::OpenMainWindow(app);
  const HWND window = form->Handle();
  if (!SkinManager || !SkinManager->FindSkinForm(window)) {
    std::fprintf(stderr, "menu_timing: the main window was not adopted\n");
    return 1;
  }
  RECT r{};
  GetWindowRect(window, &r);
  SetCursorPos(r.left + 200, r.top + 120);
  const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterPaint, nullptr, GetCurrentThreadId());
  TBitmap target(300, 40);

  std::vector<double> openSkinned, openPlain, openRatios, itemSkinned, itemPlain, itemRatios;
  for (int i = 0; i < rounds + 1; ++i) {
    double open[2] = {}, item[2] = {};
    for (const bool skin : {i % 2 == 0, i % 2 != 0}) {
      if (skin) Adopt(window);
      else GiveBack(window);
      Settle(app);
      std::vector<double> times;
      for (int k = 0; k < kOpensPerRound; ++k) {
        const double t = OpenTrayMenu(app, *form->TrayIcon1);
        if (t < 0) {
          std::fprintf(stderr, "menu_timing: no menu paint seen\n");
          return 1;
        }
        times.push_back(t);
      }
      open[skin] = Median(times);
      std::vector<double> calls;
      for (int k = 0; k < 5; ++k) calls.push_back(MeasureAndPaint(*form->N2, target));
      item[skin] = Median(calls);
    }
    if (i == 0) continue;  // warming up
    openSkinned.push_back(open[1]);
    openPlain.push_back(open[0]);
    openRatios.push_back(open[1] / open[0]);
    itemSkinned.push_back(item[1]);
    itemPlain.push_back(item[0]);
    itemRatios.push_back(item[1] / item[0]);
  }
  UnhookWindowsHookEx(hook);
  Adopt(window);
  Settle(app);
  std::printf("| Tray menu (4 items), %d rounds | Median | Range |\n|---|---|---|\n", rounds);
  Row("open, press to painted menu: unskinned", openPlain, "ms");
  Row("open, press to painted menu: skinned", openSkinned, "ms");
  Row("measure + paint one item: unskinned", itemPlain, "µs");
  Row("measure + paint one item: skinned", itemSkinned, "µs");
  std::printf("\n");
  Ratio("open:", openSkinned, openPlain, openRatios);
  Ratio("one item:", itemSkinned, itemPlain, itemRatios);
  form->Free();
  Settle(app);
  return 0;
}
