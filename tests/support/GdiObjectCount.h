// The process's GDI objects as the platform counts them, for tests that check nothing leaks.
#pragma once

#include <windows.h>

namespace bus::test {

// GDI objects this process holds, or -1 where the platform does not count them (Wine reports 0).
inline int GdiObjectCount() {
  const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  return n == 0 ? -1 : int(n);
}

}  // namespace bus::test
