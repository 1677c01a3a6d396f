// Start-up timings of the program under Wine over the bundled Xi'an database: from starting
// BusSearch.exe to its first idle message loop with the whole route list painted (the platform's
// input-idle wait), and, inside this process, from creating the main window from its description
// to the first empty message queue (nothing left to paint), split into its parts. For scale, the
// same wait for plain_window.exe: one window and a message loop, nothing else. Prints one table;
// each figure is the median of several runs, with the fastest and slowest.
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

namespace {

using namespace bus;
namespace fs = std::filesystem;

struct Spread {
  double median, fastest, slowest;
};

Spread Summarise(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times.front(), times.back()};
}

void Print(const char* what, const Spread& s) {
  std::printf("| %s | %.0f ms | %.0f–%.0f ms |\n", what, s.median, s.fastest, s.slowest);
}

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

int wmain() {
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

  constexpr int kRuns = 9;
  // the program, as a user starts it (one start first to warm the file cache), and the plain
  // window program, alternately
  std::vector<double> program, plain;
  StartUntilIdle(dir / "BusSearch.exe", MainWindowFinished, QuitThroughTrayMenu);
  for (int i = 0; i < kRuns; ++i) {
    const double bus = StartUntilIdle(dir / "BusSearch.exe", MainWindowFinished, QuitThroughTrayMenu);
    if (bus < 0) {
      std::fprintf(stderr, "startup_timing: BusSearch.exe was not finished at its first idle loop\n");
      return 1;
    }
    program.push_back(bus);
    plain.push_back(StartUntilIdle(dir / "plain_window.exe", [](DWORD) { return true; }, CloseWindows));
  }

  // the window inside this process: built and shown (FormCreate and FormShow included), then
  // until nothing is left to handle or paint
  TfrmBusMain::SetStartupOverrides(Narrow(dir.wstring()) + "\\", "http://127.0.0.1:1/softdownload/update/qbn");
  std::vector<double> build, idle;
  int rows = 0;
  for (int i = 0; i < kRuns + 1; ++i) {
    const double start = bench::NowMs();
    auto* form = app.CreateForm<TfrmBusMain>(BusMainDescription());
    const double built = bench::NowMs();
    while (!QueueEmpty()) app.ProcessMessages();
    const double done = bench::NowMs();
    rows = form->DBGrid1->Count();
    if (i > 0) {  // the first run makes the process-wide parts (skin manager, classes)
      build.push_back(built - start);
      idle.push_back(done - start);
    }
    form->Free();
    while (!QueueEmpty()) app.ProcessMessages();
  }

  std::printf("| What (Xi'an, %d routes; median of %d) | Median | Range |\n|---|---|---|\n", rows, kRuns);
  Print("BusSearch.exe started until its first idle message loop", Summarise(program));
  Print("for scale: plain_window.exe (one window, no framework) started until its first idle loop", Summarise(plain));
  Print("in process: window built from its description and shown (database opened, every route loaded)",
        Summarise(build));
  Print("in process: ... until the first idle message loop (everything painted)", Summarise(idle));
  std::error_code ignored;
  fs::remove_all(dir, ignored);
  return 0;
}
