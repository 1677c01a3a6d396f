// What the desktop tests under Wine share beyond the window tests' helpers (the application object,
// the message pumps): the deadline of their waits.
#pragma once

#include <windows.h>

#include "tests/support/WindowTestSupport.h"

namespace bus::test {

// The deadline of the desktop and main window tests' waits, in milliseconds.
constexpr DWORD kDesktopWait = 5000;

}  // namespace bus::test
