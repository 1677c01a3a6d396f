// BusSearch.exe as a user starts it: copied with its config.ini and database into a scratch
// directory, run as a separate process, and watched and driven from here through its windows. The
// program never ends by closing its window (it goes on in the tray): each test ends it through the
// tray menu's "退出", and a program still running at the end of a test is terminated.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "core/WideText.h"
#include "tests/support/RunningProgram.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

using bus::test::RunningProgram;
using bus::test::TopWindow;

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
  // the focus starts in the stop box: a stop search
  program.TypeAndEnter("钟楼");
  std::string status;
  for (const DWORD until = GetTickCount() + 10000; GetTickCount() < until && status.empty(); Sleep(50))
    status = program.StatusPanelText(main.hwnd, 1);
  EXPECT_EQ(status.rfind("查询结果：经过 钟楼 的公交车有：", 0), 0u) << status;
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
