// BusSearch.exe as a user starts it: copied with its config.ini and database into a scratch
// directory, run as a separate process, and watched and driven from here through its windows. The
// program never ends by closing its window (it goes on in the tray): each test ends it through the
// tray menu's "退出", and a program still running at the end of a test is terminated.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <functional>
#include <fstream>

#include "core/WideText.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

struct TopWindow {
  HWND hwnd;
  std::wstring className;
  std::wstring title;
};

// The program's top-level windows; with hidden, the invisible ones too.
std::vector<TopWindow> WindowsOf(DWORD pid, bool hidden = false) {
  std::vector<TopWindow> found;
  struct Query {
    DWORD pid;
    bool hidden;
    std::vector<TopWindow>* found;
  } query{pid, hidden, &found};
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* out = reinterpret_cast<Query*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != out->pid || (!out->hidden && !IsWindowVisible(hwnd))) return TRUE;
        wchar_t cls[256] = {}, title[512] = {};
        GetClassNameW(hwnd, cls, 256);
        GetWindowTextW(hwnd, title, 512);
        out->found->push_back({hwnd, cls, title});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&query));
  return found;
}

// Runs BusSearch.exe from its own directory and deletes that directory afterwards.
class RunningProgram {
public:
  explicit RunningProgram(const std::function<void(const fs::path&)>& prepare) {
    fs::copy_file(bus::test::BinaryDir() / "BusSearch.exe", dir_.Path() / "BusSearch.exe");
    prepare(dir_.Path());
    std::wstring cmd = L"\"" + (dir_.Path() / "BusSearch.exe").wstring() + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir_.Path().wstring().c_str(),
                        &si, &pi_))
      ADD_FAILURE() << "cannot start BusSearch.exe";
  }
  ~RunningProgram() {
    if (pi_.hProcess) {
      if (WaitForSingleObject(pi_.hProcess, 2000) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 1);
      WaitForSingleObject(pi_.hProcess, 5000);
      CloseHandle(pi_.hProcess);
      CloseHandle(pi_.hThread);
    }
  }

  // Waits (at most 20 s) for a visible window of the program with this class (empty: any).
  TopWindow WaitFor(const std::wstring& className) {
    const DWORD deadline = GetTickCount() + 20000;
    while (GetTickCount() < deadline) {
      for (const TopWindow& w : WindowsOf(pi_.dwProcessId))
        if (className.empty() || w.className == className) return w;
      if (WaitForSingleObject(pi_.hProcess, 50) == WAIT_OBJECT_0) break;
    }
    ADD_FAILURE() << "no window of class " << bus::Narrow(className);
    return {};
  }

  bool Running() { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

  // Whether the program has loaded the DLL of this file name (lower case, e.g. L"urlmon.dll").
  bool HasLoaded(const std::wstring& dll) {
    HMODULE modules[512];
    DWORD bytes = 0;
    if (!EnumProcessModules(pi_.hProcess, modules, sizeof modules, &bytes)) {
      ADD_FAILURE() << "cannot list the program's modules";
      return false;
    }
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
      wchar_t path[MAX_PATH] = {};
      GetModuleFileNameExW(pi_.hProcess, modules[i], path, MAX_PATH);
      std::wstring name = fs::path(path).filename().wstring();
      for (wchar_t& c : name) c = towlower(c);
      if (name == dll) return true;
    }
    return false;
  }

  // Chooses "退出" from the tray icon's menu: the icon's right button (told to each of the
  // program's message windows; only the tray icon's answers), then Down three times and Enter in
  // the menu that opens.
  void QuitFromTray() {
    for (const TopWindow& w : WindowsOf(pi_.dwProcessId, true))
      if (w.className == L"TPUtilWindow") PostMessageW(w.hwnd, WM_USER + 1024, 1, WM_RBUTTONDOWN);
    const TopWindow menu = WaitFor(L"#32768");
    for (int i = 0; i < 3; ++i) PostMessageW(menu.hwnd, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu.hwnd, WM_KEYDOWN, VK_RETURN, 0);
  }

  // Waits for the process to end; returns its exit code.
  DWORD WaitForExit() {
    if (WaitForSingleObject(pi_.hProcess, 20000) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    return code;
  }

private:
  bus::test::TempDir dir_;
  PROCESS_INFORMATION pi_{};
};

std::string MessageText(HWND box) {
  wchar_t text[512] = {};
  GetWindowTextW(GetDlgItem(box, 0xFFFF), text, 512);
  return bus::Narrow(text);
}

void WriteConfig(const fs::path& dir, const std::string& dbName) {
  std::ofstream(dir / "config.ini", std::ios::binary) << "[config]\r\ndbName=" << dbName << "\r\n";
}

const wchar_t* const kDialog = L"#32770";
const wchar_t* const kMainWindow = L"TfrmBusMain";

TEST(StartupWindow, XianDatabaseGivesTheXianTitleAndClosingOnlyHidesTheWindow) {
  RunningProgram program([](const fs::path& dir) {
    WriteConfig(dir, "xaway.db");
    fs::copy_file(bus::test::BinaryDir() / "xaway.db", dir / "xaway.db");
  });
  const TopWindow main = program.WaitFor(kMainWindow);
  EXPECT_EQ(bus::Narrow(main.title), "Zelvo公交车查询V2.2.8--西安");
  // the download service loads when the banner first needs it (after 3 s), not with the
  // program; the shell (tray icon) loads at once
  EXPECT_TRUE(program.HasLoaded(L"shell32.dll"));
  EXPECT_FALSE(program.HasLoaded(L"urlmon.dll"));
  PostMessageW(main.hwnd, WM_CLOSE, 0, 0);
  const DWORD deadline = GetTickCount() + 10000;
  while (IsWindowVisible(main.hwnd) && GetTickCount() < deadline) Sleep(20);
  EXPECT_FALSE(IsWindowVisible(main.hwnd));
  EXPECT_TRUE(program.Running());
  program.QuitFromTray();
  EXPECT_EQ(program.WaitForExit(), 0u);
}

// Two starts by the same user: the second finds the first hidden in the tray, brings its window
// back and ends with status 0; one main window remains.
TEST(StartupWindow, ASecondStartShowsTheFirstAndEnds) {
  const auto prepare = [](const fs::path& dir) {
    WriteConfig(dir, "xaway.db");
    fs::copy_file(bus::test::BinaryDir() / "xaway.db", dir / "xaway.db");
  };
  RunningProgram first(prepare);
  const TopWindow main = first.WaitFor(kMainWindow);
  PostMessageW(main.hwnd, WM_CLOSE, 0, 0);
  DWORD deadline = GetTickCount() + 10000;
  while (IsWindowVisible(main.hwnd) && GetTickCount() < deadline) Sleep(20);
  ASSERT_FALSE(IsWindowVisible(main.hwnd));

  RunningProgram second(prepare);
  EXPECT_EQ(second.WaitForExit(), 0u);
  deadline = GetTickCount() + 10000;
  while (!IsWindowVisible(main.hwnd) && GetTickCount() < deadline) Sleep(20);
  EXPECT_TRUE(IsWindowVisible(main.hwnd));
  int mainWindows = 0;
  EnumWindows(
      [](HWND hwnd, LPARAM count) -> BOOL {
        wchar_t cls[64] = {};
        GetClassNameW(hwnd, cls, 64);
        if (std::wstring(cls) == kMainWindow) ++*reinterpret_cast<int*>(count);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&mainWindows));
  EXPECT_EQ(mainWindows, 1);
  first.QuitFromTray();
  EXPECT_EQ(first.WaitForExit(), 0u);
}

TEST(StartupWindow, BeijingDatabaseUnderAnotherNameHasNoSuffix) {
  RunningProgram program([](const fs::path& dir) {
    WriteConfig(dir, "Bjway.db");
    fs::copy_file(bus::test::BinaryDir() / "bjway.db", dir / "Bjway.db");
  });
  const TopWindow main = program.WaitFor(kMainWindow);
  EXPECT_EQ(bus::Narrow(main.title), "Zelvo公交车查询V2.2.8");
  program.QuitFromTray();
  EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(StartupWindow, MissingConfigShowsTheDatabaseErrorThenTheErrorReportThenTheWindow) {
  RunningProgram program([](const fs::path&) {});
  const TopWindow box = program.WaitFor(kDialog);
  EXPECT_EQ(bus::Narrow(box.title), "提示");
  EXPECT_EQ(MessageText(box.hwnd), "数据库错误！");
  PostMessageW(box.hwnd, WM_COMMAND, IDOK, 0);

  // the load of every route then fails on the closed connection: the general error report
  TopWindow report{};
  const DWORD deadline = GetTickCount() + 20000;
  do {
    report = program.WaitFor(kDialog);
  } while (report.hwnd == box.hwnd && IsWindow(box.hwnd) && GetTickCount() < deadline);
  EXPECT_EQ(bus::Narrow(report.title), "Zelvo公交车查询");
  EXPECT_NE(MessageText(report.hwnd).find("not connected"), std::string::npos) << MessageText(report.hwnd);
  PostMessageW(report.hwnd, WM_COMMAND, IDOK, 0);

  // then the window, with the caption it was stored with, and a program that goes on
  const TopWindow main = program.WaitFor(kMainWindow);
  EXPECT_EQ(bus::Narrow(main.title), "Zelvo公交车查询--西安");
  program.QuitFromTray();
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
