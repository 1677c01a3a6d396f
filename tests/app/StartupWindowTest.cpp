// BusSearch.exe as a user starts it: copied with its config.ini and database into a scratch
// directory, run as a separate process, and watched from here through its windows.
#include <windows.h>

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

std::vector<TopWindow> WindowsOf(DWORD pid) {
  std::vector<TopWindow> found;
  std::pair<DWORD, std::vector<TopWindow>*> query(pid, &found);
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* out = reinterpret_cast<std::pair<DWORD, std::vector<TopWindow>*>*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != out->first || !IsWindowVisible(hwnd)) return TRUE;
        wchar_t cls[256] = {}, title[512] = {};
        GetClassNameW(hwnd, cls, 256);
        GetWindowTextW(hwnd, title, 512);
        out->second->push_back({hwnd, cls, title});
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
      if (WaitForSingleObject(pi_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 1);
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

TEST(StartupWindow, XianDatabaseGivesTheXianTitle) {
  RunningProgram program([](const fs::path& dir) {
    WriteConfig(dir, "xaway.db");
    fs::copy_file(bus::test::BinaryDir() / "xaway.db", dir / "xaway.db");
  });
  const TopWindow main = program.WaitFor(L"BusSearchRouteSummary");
  EXPECT_EQ(bus::Narrow(main.title), "Zelvo公交车查询V2.2.8--西安");
  PostMessageW(main.hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(StartupWindow, BeijingDatabaseUnderAnotherNameHasNoSuffix) {
  RunningProgram program([](const fs::path& dir) {
    WriteConfig(dir, "Bjway.db");
    fs::copy_file(bus::test::BinaryDir() / "bjway.db", dir / "Bjway.db");
  });
  const TopWindow main = program.WaitFor(L"BusSearchRouteSummary");
  EXPECT_EQ(bus::Narrow(main.title), "Zelvo公交车查询V2.2.8");
  PostMessageW(main.hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(StartupWindow, MissingConfigShowsTheDatabaseErrorThenTheErrorReport) {
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

  const TopWindow main = program.WaitFor(L"BusSearchRouteSummary");
  EXPECT_EQ(bus::Narrow(main.title), "Zelvo公交车查询--西安");  // the stored caption stays
  PostMessageW(main.hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
