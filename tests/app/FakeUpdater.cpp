// Stands in for the database updater in the tests: records that it ran, and with how many
// arguments, in "updater-ran.txt" beside itself, then ends.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring marker = path;
  marker.resize(marker.find_last_of(L"\\/") + 1);
  marker += L"updater-ran.txt";
  int argc = 0;
  LocalFree(CommandLineToArgvW(GetCommandLineW(), &argc));
  if (FILE* f = _wfopen(marker.c_str(), L"wb")) {
    std::fprintf(f, "arguments=%d\n", argc - 1);
    std::fclose(f);
  }
  return 0;
}
