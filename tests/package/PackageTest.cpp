// The packages as a user gets them, under Wine: the setup program installs silently into a scratch
// folder of the prefix, the installed program starts and answers a search, the uninstaller takes
// away what was installed and leaves what the program and the user added; the unpacked zip runs.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>

#include "core/Version.h"
#include "core/WideText.h"
#include "tests/support/RunningProgram.h"
#include "tests/support/TestSupport.h"

namespace bus {
namespace {

namespace fs = std::filesystem;

const fs::path kPackages = test::FromUtf8(BUS_PACKAGE_DIR);
const char* const kInstalled[] = {"BusSearch.exe", "update.exe", "busquery.exe", "config.ini", "xaway.db", "bjway.db"};

// Runs commandLine and waits for it (at most 60 s); its exit code, or -1.
int RunAndWait(std::wstring commandLine) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  DWORD code = DWORD(-1);
  if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
  else TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return int(code);
}

// Polls done() every 50 ms until it holds or ms pass.
bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
  for (const DWORD until = GetTickCount() + ms; !done(); Sleep(50))
    if (GetTickCount() > until) return false;
  return true;
}

fs::path StartMenuEntry() {
  wchar_t programs[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs);
  return fs::path(programs) / L"Zelvo公交车查询" / L"Zelvo公交车查询.lnk";
}

bool UninstallKeyExists() {
  HKEY key = nullptr;
  const LONG rc = RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\BusSearch",
                                0, KEY_READ | KEY_WOW64_64KEY, &key);
  if (key) RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

// The program in dir starts with the Xi'an title and answers a stop search; then it is ended
// through its tray menu.
void StartAndSearch(const fs::path& dir) {
  test::RunningProgram program(dir / "BusSearch.exe");
  const test::TopWindow main = program.WaitFor(L"TfrmBusMain");
  EXPECT_EQ(Narrow(main.title), "Zelvo公交车查询V" + std::string(kVersion) + "--西安");
  program.TypeAndEnter("钟楼");
  std::string status;
  WaitUntil([&] { return !(status = program.StatusPanelText(main.hwnd, 1)).empty(); }, 10000);
  EXPECT_EQ(status.rfind("查询结果：经过 钟楼 的公交车有：", 0), 0u) << status;
  program.QuitFromTray();
  EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(Package, SetupInstallsSilentlyTheProgramRunsAndTheUninstallerRemovesWhatItInstalled) {
  test::TempDir scratch;
  const fs::path target = scratch.Path() / "BusSearch";
  const fs::path setup = kPackages / (std::string(BUS_PACKAGE_NAME) + ".exe");
  ASSERT_TRUE(fs::exists(setup));
  // /D= comes last and unquoted, as the setup program wants it
  ASSERT_EQ(RunAndWait(L"\"" + setup.wstring() + L"\" /S /D=" + target.wstring()), 0);
  for (const char* file : kInstalled) EXPECT_TRUE(fs::exists(target / file)) << file;
  EXPECT_TRUE(fs::exists(target / "Uninstall.exe"));
  EXPECT_TRUE(fs::exists(StartMenuEntry())) << test::Utf8(StartMenuEntry());
  EXPECT_TRUE(UninstallKeyExists());

  StartAndSearch(target);

  // what the program and the user add stays; what the setup put there goes
  std::ofstream(target / "notes.txt") << "mine";
  ASSERT_EQ(RunAndWait(L"\"" + (target / "Uninstall.exe").wstring() + L"\" /S"), 0);
  // the uninstaller runs from a copy of itself and returns at once; the Start menu goes last
  EXPECT_TRUE(WaitUntil(
      [&] { return !fs::exists(target / "Uninstall.exe") && !UninstallKeyExists() && !fs::exists(StartMenuEntry()); },
      30000));
  for (const char* file : kInstalled) EXPECT_FALSE(fs::exists(target / file)) << file;
  EXPECT_TRUE(fs::exists(target / "notes.txt"));
  EXPECT_FALSE(fs::exists(StartMenuEntry()));
  EXPECT_FALSE(UninstallKeyExists());
}

TEST(Package, TheUnpackedZipRuns) {
  const fs::path dir = kPackages / "unpacked" / BUS_PACKAGE_NAME;
  for (const char* file : kInstalled) EXPECT_TRUE(fs::exists(dir / file)) << file;
  StartAndSearch(dir);
}

}  // namespace
}  // namespace bus
