#include "core/AppDirectory.h"

#ifdef _WIN32
#include <windows.h>

#include "core/WideText.h"
#else
#include <filesystem>
#endif

namespace bus {

std::string ExecutableDirectory() {
#ifdef _WIN32
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const size_t sep = path.find_last_of(L"\\/");
  return Narrow(path.substr(0, sep == std::wstring::npos ? 0 : sep + 1));
#else
  std::string path = std::filesystem::read_symlink("/proc/self/exe").string();
  const size_t sep = path.find_last_of('/');
  return path.substr(0, sep == std::string::npos ? 0 : sep + 1);
#endif
}

}  // namespace bus
