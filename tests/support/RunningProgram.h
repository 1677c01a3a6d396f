// A program of ours run as a separate process, as a user starts it, and watched and driven from the
// test through its windows: its top-level windows, the DLLs it loaded, typing into the window that
// has its focus, the text of a status bar panel, the tray icon's "退出". Our programs never end by
// closing their main window (it goes on in the tray); a program still running when the object
// goes is terminated.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

namespace bus::test {

struct TopWindow {
  HWND hwnd;
  std::wstring className;
  std::wstring title;
};

// The process's top-level windows; with hidden, the invisible ones too.
std::vector<TopWindow> WindowsOf(DWORD pid, bool hidden = false);

class RunningProgram {
public:
  // Copies BusSearch.exe of the build into a scratch directory, lets prepare put what it needs
  // beside it (config.ini, a database), and runs it from there; the directory goes with the object.
  explicit RunningProgram(const std::function<void(const std::filesystem::path&)>& prepare);
  // Runs program where it is, from its own directory.
  explicit RunningProgram(const std::filesystem::path& program);
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  DWORD ProcessId() const noexcept { return pi_.dwProcessId; }
  // Waits (at most 20 s) for a visible window of the program with this class (empty: any).
  TopWindow WaitFor(const std::wstring& className);
  bool Running();
  // Whether the program has loaded the DLL of this file name (lower case, e.g. L"urlmon.dll").
  bool HasLoaded(const std::wstring& dll);
  // Chooses "退出" from the tray icon's menu: the icon's right button (told to each of the
  // program's message windows; only the tray icon's answers), then Down three times and Enter in
  // the menu that opens.
  void QuitFromTray();
  // Waits for the process to end; returns its exit code (STILL_ACTIVE after 20 s).
  DWORD WaitForExit();

  // Types text into the window that has the program's focus, then presses Enter there.
  void TypeAndEnter(const std::string& text);
  // The text of panel of the first status bar among window's children.
  std::string StatusPanelText(HWND window, int panel);

private:
  void Start(const std::filesystem::path& program);

  TempDir dir_;                // the scratch directory of a copied program
  PROCESS_INFORMATION pi_{};   // the process
};

}  // namespace bus::test
