// Start-up timings of the program under Wine over the bundled Xi'an database: from starting
// BusSearch.exe to its first idle message loop with the whole route list painted (the platform's
// input-idle wait), and, inside this process, from creating the main window from its description
// to the first empty message queue (nothing left to paint), split into its parts, and the skin's
// adoption of the shown window (its form object, the control selection, the wrappers) on its own.
// For scale, the same wait for plain_window.exe: one window and a message loop, nothing else; with
// a path as first argument, that BusSearch.exe too (an earlier build, in the same run); a second
// argument sets the number of runs (9 by default). Prints one table; each figure is the median of
// the runs, with the fastest and slowest, and the programs' medians as ratios to the plain
// window's.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/BusMain.h"
#include "bench/BenchSupport.h"
#include "app/Startup.h"
#include "core/WideText.h"
#include "framework/controls/Application.h"
#include "grid/DBGrid.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinManager.h"

namespace {

using namespace bus;
namespace fs = std::filesystem;

using bench::Spread;
using bench::Summarise;

void Print(const char* what, const Spread& s) { bench::PrintSpread(what, s, 0); }

// A top-level window of a process.
struct TopWindow {
  HWND handle;
  std::wstring className;
  bool visible;
};

// The top-level windows of process pid, front to back.
std::vector<TopWindow> ProcessWindows(DWORD pid) {
  struct Query {
    DWORD pid;
    std::vector<TopWindow> found;
  } q{pid, {}};
  EnumWindows(
      [](HWND w, LPARAM lp) -> BOOL {
        auto* q = reinterpret_cast<Query*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner != q->pid) return TRUE;
        wchar_t cls[64] = {};
        GetClassNameW(w, cls, 64);
        q->found.push_back({w, cls, IsWindowVisible(w) != 0});
        return TRUE;
      },
      LPARAM(&q));
  return q.found;
}

// The visible main window of process pid, or null.
HWND FindMainWindow(DWORD pid) {
  for (const TopWindow& w : ProcessWindows(pid))
    if (w.visible && w.className == L"TfrmBusMain") return w.handle;
  return nullptr;
}

std::string Title(HWND w) {
  wchar_t text[256] = {};
  GetWindowTextW(w, text, 256);
  return Narrow(text);
}

// Milliseconds from starting exe (in its own directory) to its first idle loop; -1 when it could
// not be started, never went idle, or check(process id) then fails. Then end(process id) ends it
// (or, after 10 s, it is terminated).
template <class Check, class End>
double StartUntilIdle(const fs::path& exe, Check&& check, End&& end) {
  std::wstring cmd = L"\"" + exe.wstring() + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const double start = bench::NowMs();
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, exe.parent_path().wstring().c_str(),
                      &si, &pi))
    return -1;
  const DWORD waited = WaitForInputIdle(pi.hProcess, 20000);
  const double elapsed = bench::NowMs() - start;
  const double result = waited == 0 && check(pi.dwProcessId) ? elapsed : -1;
  end(pi.dwProcessId);
  if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  Sleep(300);  // the platform's clean-up after the program done
  return result;
}

// BusSearch.exe is finished when its window has the title FormShow puts on it and nothing of it
// or of its grid is left to paint (otherwise the wait returned too early).
bool MainWindowFinished(DWORD pid) {
  HWND main = FindMainWindow(pid);
  HWND grid = main ? FindWindowExW(main, nullptr, L"TrgDBGrid", nullptr) : nullptr;
  return main && grid && Title(main) == "Zelvo公交车查询V2.2.8--西安" && !GetUpdateRect(main, nullptr, FALSE) &&
         !GetUpdateRect(grid, nullptr, FALSE);
}

// Ends BusSearch.exe as a user does, through the tray icon's menu: its right button (told to each
// of the program's message windows; only the tray icon's answers), then "退出", the fourth item.
// A program that is killed instead leaves its icon behind, and the icons pile up in the tray.
void QuitThroughTrayMenu(DWORD pid) {
  for (const TopWindow& w : ProcessWindows(pid))
    if (w.className == L"TPUtilWindow") PostMessageW(w.handle, WM_USER + 1024, 1, WM_RBUTTONDOWN);
  const DWORD deadline = GetTickCount() + 5000;
  while (GetTickCount() < deadline) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu && IsWindowVisible(menu)) {
      for (int i = 0; i < 3; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
      return;
    }
    Sleep(10);
  }
}

void CloseWindows(DWORD pid) {
  for (const TopWindow& w : ProcessWindows(pid))
    if (w.className == L"PlainWindow") PostMessageW(w.handle, WM_CLOSE, 0, 0);
}

bool QueueEmpty() {
  MSG m;
  return !PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  TApplication app;
  app.Initialize();
  app.SetTitle(std::string(app::kApplicationTitle));
  RegisterBusMainClasses();

  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const fs::path bin = fs::path(self).parent_path();
  const fs::path dir = fs::temp_directory_path() / ("startup_timing_" + std::to_string(GetCurrentProcessId()));
  fs::create_directories(dir);
  for (const char* name : {"BusSearch.exe", "plain_window.exe", "config.ini", "xaway.db"})
    fs::copy_file(bin / name, dir / name, fs::copy_options::overwrite_existing);
  // an earlier build to compare with, in a directory of its own beside
  const bool compare = argc > 1;
  const fs::path earlierDir = dir / "earlier";
  if (compare) {
    fs::create_directories(earlierDir);
    fs::copy_file(argv[1], earlierDir / "BusSearch.exe", fs::copy_options::overwrite_existing);
    for (const char* name : {"config.ini", "xaway.db"})
      fs::copy_file(bin / name, earlierDir / name, fs::copy_options::overwrite_existing);
  }

  const int kRuns = argc > 2 ? std::max(1, _wtoi(argv[2])) : 9;
  // the program, as a user starts it (one start first to warm the file cache), and the plain
  // window program, alternately
  std::vector<double> program, earlier, plain;
  StartUntilIdle(dir / "BusSearch.exe", MainWindowFinished, QuitThroughTrayMenu);
  if (compare) StartUntilIdle(earlierDir / "BusSearch.exe", MainWindowFinished, QuitThroughTrayMenu);
  for (int i = 0; i < kRuns; ++i) {
    const double bus = StartUntilIdle(dir / "BusSearch.exe", MainWindowFinished, QuitThroughTrayMenu);
    if (bus < 0) {
      std::fprintf(stderr, "startup_timing: BusSearch.exe was not finished at its first idle loop\n");
      return 1;
    }
    program.push_back(bus);
    if (compare) earlier.push_back(StartUntilIdle(earlierDir / "BusSearch.exe", MainWindowFinished, QuitThroughTrayMenu));
    plain.push_back(StartUntilIdle(dir / "plain_window.exe", [](DWORD) { return true; }, CloseWindows));
  }

  // the window inside this process: built and shown (FormCreate and FormShow included), then
  // until nothing is left to handle or paint
  TfrmBusMain::SetStartupOverrides(Narrow(dir.wstring()) + "\\", "http://127.0.0.1:1/softdownload/update/qbn");
  std::vector<double> build, idle, adopt, adoptIdle;
  int rows = 0;
  size_t wrappers = 0;
  for (int i = 0; i < kRuns + 1; ++i) {
    const double start = bench::NowMs();
    auto* form = app.CreateForm<TfrmBusMain>(BusMainDescription());
    const double built = bench::NowMs();
    while (!QueueEmpty()) app.ProcessMessages();
    const double done = bench::NowMs();
    rows = form->DBGrid1->Count();
    // the adoption on its own: the window given back, then taken again as its activation does
    const HWND window = form->Handle();
    if (TSkinForm* object = SkinManager->FindSkinForm(window)) {
      SkinManager->RemoveSkinForm(object);
      object->Unhook();
      object->Dispose();
    }
    while (!QueueEmpty()) app.ProcessMessages();
    const double adoptStart = bench::NowMs();
    SkinManager->SkinWindow(window);
    SendMessageW(window, kSkinMsgSkinControls, 0, 1000);
    const double adopted = bench::NowMs();
    while (!QueueEmpty()) app.ProcessMessages();
    const double adoptDone = bench::NowMs();
    wrappers = SkinManager->FindSkinForm(window)->Wrappers().size();
    if (i > 0) {  // the first run makes the process-wide parts (skin manager, classes)
      build.push_back(built - start);
      idle.push_back(done - start);
      adopt.push_back(adopted - adoptStart);
      adoptIdle.push_back(adoptDone - adoptStart);
    }
    form->Free();
    while (!QueueEmpty()) app.ProcessMessages();
  }

  std::printf("| What (Xi'an, %d routes; median of %d) | Median | Range |\n|---|---|---|\n", rows, kRuns);
  const Spread programSpread = Summarise(program), plainSpread = Summarise(plain);
  Print("BusSearch.exe started until its first idle message loop", programSpread);
  if (compare) Print("the earlier BusSearch.exe, the same", Summarise(earlier));
  Print("for scale: plain_window.exe (one window, no framework) started until its first idle loop", plainSpread);
  Print("in process: window built from its description and shown (database opened, every route loaded)",
        Summarise(build));
  Print("in process: ... until the first idle message loop (everything painted)", Summarise(idle));
  const std::string adoptRow =
      "in process: the shown window adopted (form object, control selection, " + std::to_string(wrappers) + " wrappers)";
  Print(adoptRow.c_str(), Summarise(adopt));
  Print("in process: ... until painted again", Summarise(adoptIdle));
  // ratios of the medians, and the medians of the ratios of runs made one after the other (which
  // the load of the machine shifts less)
  const auto paired = [](const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> ratios;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) ratios.push_back(a[i] / b[i]);
    return Summarise(ratios).median;
  };
  std::printf("\nBusSearch.exe / plain_window.exe: %.2f (runs paired: %.2f)\n", programSpread.median / plainSpread.median,
              paired(program, plain));
  if (compare) {
    std::printf("earlier BusSearch.exe / plain_window.exe: %.2f (runs paired: %.2f)\n",
                Summarise(earlier).median / plainSpread.median, paired(earlier, plain));
    std::printf("BusSearch.exe / earlier BusSearch.exe: %.2f (runs paired: %.2f)\n",
                programSpread.median / Summarise(earlier).median, paired(program, earlier));
  }
  std::error_code ignored;
  fs::remove_all(dir, ignored);
  return 0;
}
