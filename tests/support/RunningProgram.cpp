#include "tests/support/RunningProgram.h"

#include <commctrl.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <memory>

#include "core/WideText.h"

namespace bus::test {

namespace fs = std::filesystem;

// The program's top-level windows; with hidden, the invisible ones too.
std::vector<TopWindow> WindowsOf(DWORD pid, bool hidden) {
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

RunningProgram::RunningProgram(const std::function<void(const fs::path&)>& prepare) {
  fs::copy_file(BinaryDir() / "BusSearch.exe", dir_.Path() / "BusSearch.exe");
  prepare(dir_.Path());
  Start(dir_.Path() / "BusSearch.exe");
}

RunningProgram::RunningProgram(const fs::path& program) { Start(program); }

void RunningProgram::Start(const fs::path& program) {
  std::wstring cmd = L"\"" + program.wstring() + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      program.parent_path().wstring().c_str(), &si, &pi_))
    ADD_FAILURE() << "cannot start " << Utf8(program);
}

RunningProgram::~RunningProgram() {
  if (pi_.hProcess) {
    if (WaitForSingleObject(pi_.hProcess, 2000) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 1);
    WaitForSingleObject(pi_.hProcess, 5000);
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
  }
}

TopWindow RunningProgram::WaitFor(const std::wstring& className) {
  const DWORD deadline = GetTickCount() + 20000;
  while (GetTickCount() < deadline) {
    for (const TopWindow& w : WindowsOf(pi_.dwProcessId))
      if (className.empty() || w.className == className) return w;
    if (WaitForSingleObject(pi_.hProcess, 50) == WAIT_OBJECT_0) break;
  }
  ADD_FAILURE() << "no window of class " << Narrow(className);
  return {};
}

bool RunningProgram::Running() { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

bool RunningProgram::HasLoaded(const std::wstring& dll) {
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

void RunningProgram::QuitFromTray() {
  for (const TopWindow& w : WindowsOf(pi_.dwProcessId, true))
    if (w.className == L"TPUtilWindow") PostMessageW(w.hwnd, WM_USER + 1024, 1, WM_RBUTTONDOWN);
  const TopWindow menu = WaitFor(L"#32768");
  for (int i = 0; i < 3; ++i) PostMessageW(menu.hwnd, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu.hwnd, WM_KEYDOWN, VK_RETURN, 0);
}

DWORD RunningProgram::WaitForExit() {
  if (WaitForSingleObject(pi_.hProcess, 20000) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = 0;
  GetExitCodeProcess(pi_.hProcess, &code);
  return code;
}

void RunningProgram::TypeAndEnter(const std::string& text) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(pi_.dwThreadId, &info) || !info.hwndFocus) {
    ADD_FAILURE() << "the program has no focus";
    return;
  }
  for (wchar_t c : Widen(text)) PostMessageW(info.hwndFocus, WM_CHAR, c, 1);
  PostMessageW(info.hwndFocus, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  PostMessageW(info.hwndFocus, WM_CHAR, L'\r', 0x001C0001);
  PostMessageW(info.hwndFocus, WM_KEYUP, VK_RETURN, 0xC01C0001);
}

std::string RunningProgram::StatusPanelText(HWND window, int panel) {
  HWND bar = nullptr;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM found) -> BOOL {
        wchar_t cls[64] = {};
        GetClassNameW(child, cls, 64);
        // the widget layer's class over the platform's status bar, or the platform's own
        if (std::wstring(cls) != L"TStatusBar" && std::wstring(cls) != STATUSCLASSNAMEW) return TRUE;
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&bar));
  if (!bar) return {};
  // the bar writes the text into the program's own memory: room for it there, read back here
  constexpr size_t kRoom = 1024;
  void* remote = VirtualAllocEx(pi_.hProcess, nullptr, kRoom * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE);
  if (!remote) return {};
  std::unique_ptr<void, std::function<void(void*)>> guard(
      remote, [this](void* p) { VirtualFreeEx(pi_.hProcess, p, 0, MEM_RELEASE); });
  const LRESULT length = SendMessageW(bar, SB_GETTEXTLENGTHW, panel, 0);
  if (LOWORD(length) >= kRoom) return {};
  SendMessageW(bar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(remote));
  std::wstring text(LOWORD(length), L'\0');
  SIZE_T read = 0;
  if (!ReadProcessMemory(pi_.hProcess, remote, text.data(), text.size() * sizeof(wchar_t), &read)) return {};
  return Narrow(text);
}

}  // namespace bus::test
