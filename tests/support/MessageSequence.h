// Message sequences in the style of Wine's own control tests: a log of the messages a window
// procedure receives, and a comparison with an expected table in which entries may be optional.
#pragma once

#include <windows.h>

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

// Checks seen against the table (gtest failures naming context and the messages by name).
void ExpectSequence(const std::vector<UINT>& seen, const std::vector<Expected>& expected, const std::string& context);

}  // namespace bus::test
