// Message sequences in the style of Wine's own control tests: a log of the messages a window
// procedure receives, and a comparison with an expected table in which entries may be optional.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/Messages.h"

namespace bus {
class TWindowSubclass;
}

namespace bus::test {

// An expected entry may be missing from what was seen.
inline constexpr int kOptional = 1;

struct Expected {
  UINT msg = 0;   // message number
  int flags = 0;  // kOptional
};

// Records, at the window procedure, the watched messages a window receives (a subclass in front of
// its procedure; the messages go on unchanged).
class MessageLog {
public:
  MessageLog(HWND window, std::vector<UINT> watched);
  ~MessageLog();
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  // The messages seen since the last Take, in order; the log starts afresh.
  std::vector<UINT> Take();

private:
  std::vector<UINT> watched_;                  // message numbers recorded
  std::vector<UINT> seen_;                     // recorded, in order
  std::unique_ptr<TWindowSubclass> subclass_;  // in front of the window's procedure
};

// Starts a MessageLog on the first window of this thread that `pick` accepts when it is about to be
// created (HCBT_CREATEWND) or activated (HCBT_ACTIVATE), as `cbtCode` says. Its own CBT hook runs
// before any installed earlier (a hook installed later is called first), so the log lies beneath
// whatever such a hook puts on the window then.
class WindowLog {
public:
  WindowLog(int cbtCode, std::function<bool(HWND)> pick, std::vector<UINT> watched);
  ~WindowLog();
  WindowLog(const WindowLog&) = delete;
  WindowLog& operator=(const WindowLog&) = delete;

  // The logged window, or null before it was created or activated.
  HWND Window() const noexcept { return window_; }
  // The messages seen since the last Take (none before the window was picked).
  std::vector<UINT> Take();

private:
  static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);

  static inline WindowLog* current_ = nullptr;  // the one log whose hook is installed
  int cbtCode_;                                 // HCBT_CREATEWND or HCBT_ACTIVATE
  std::function<bool(HWND)> pick_;              // the window to log
  std::vector<UINT> watched_;                   // the messages logged
  HWND window_ = nullptr;                       // the logged window
  std::unique_ptr<MessageLog> log_;             // from the window's creation or activation on
  HHOOK hook_ = nullptr;                        // this thread's CBT hook
};

// Checks seen against the table (gtest failures naming context and the messages by name).
void ExpectSequence(const std::vector<UINT>& seen, const std::vector<Expected>& expected, const std::string& context);

}  // namespace bus::test
