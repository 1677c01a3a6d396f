#include "tests/support/MessageSequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cassert>
#include <cstdio>

#include "framework/controls/WindowSubclass.h"

namespace bus::test {

namespace {

std::string Name(UINT msg) {
  switch (msg) {
    case WM_GETTEXTLENGTH: return "WM_GETTEXTLENGTH";
    case WM_GETTEXT: return "WM_GETTEXT";
    case WM_SETTEXT: return "WM_SETTEXT";
    case WM_PAINT: return "WM_PAINT";
    case WM_ERASEBKGND: return "WM_ERASEBKGND";
    case WM_NCPAINT: return "WM_NCPAINT";
    case WM_NCDESTROY: return "WM_NCDESTROY";
    case WM_NCCALCSIZE: return "WM_NCCALCSIZE";
    case WM_NCACTIVATE: return "WM_NCACTIVATE";
    case WM_NCHITTEST: return "WM_NCHITTEST";
    case WM_ACTIVATE: return "WM_ACTIVATE";
    case WM_SIZE: return "WM_SIZE";
    case WM_MOVE: return "WM_MOVE";
    case WM_GETMINMAXINFO: return "WM_GETMINMAXINFO";
    case WM_WINDOWPOSCHANGING: return "WM_WINDOWPOSCHANGING";
    case WM_WINDOWPOSCHANGED: return "WM_WINDOWPOSCHANGED";
    case WM_STYLECHANGING: return "WM_STYLECHANGING";
    case WM_STYLECHANGED: return "WM_STYLECHANGED";
    case WM_SHOWWINDOW: return "WM_SHOWWINDOW";
    case WM_SYSCOMMAND: return "WM_SYSCOMMAND";
    case WM_SETICON: return "WM_SETICON";
    case WM_GETICON: return "WM_GETICON";
    case WM_DESTROY: return "WM_DESTROY";
    case 0x3503: return "skin controls (0x3503)";
    case 0x3504: return "skinned? (0x3504)";
    case 0x3506: return "switch (0x3506)";
    default: {
      char text[16];
      std::snprintf(text, sizeof text, "0x%04X", msg);
      return text;
    }
  }
}

std::string Names(const std::vector<UINT>& messages) {
  std::string text;
  for (UINT m : messages) text += (text.empty() ? "" : ", ") + Name(m);
  return "{" + text + "}";
}

}  // namespace

WindowLog::WindowLog(int cbtCode, std::function<bool(HWND)> pick, std::vector<UINT> watched)
    : cbtCode_(cbtCode), pick_(std::move(pick)), watched_(std::move(watched)) {
  assert(!current_ && (cbtCode == HCBT_CREATEWND || cbtCode == HCBT_ACTIVATE));
  current_ = this;
  hook_ = SetWindowsHookExW(WH_CBT, &WindowLog::CbtProc, nullptr, GetCurrentThreadId());
}

WindowLog::~WindowLog() {
  if (hook_) UnhookWindowsHookEx(hook_);
  current_ = nullptr;
}

std::vector<UINT> WindowLog::Take() { return log_ ? log_->Take() : std::vector<UINT>{}; }

LRESULT CALLBACK WindowLog::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
  WindowLog* self = current_;
  const HWND window = reinterpret_cast<HWND>(wParam);
  if (self && code == self->cbtCode_ && !self->log_ && self->pick_(window)) {
    self->window_ = window;
    self->log_ = std::make_unique<MessageLog>(window, self->watched_);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

MessageLog::MessageLog(HWND window, std::vector<UINT> watched)
    : watched_(std::move(watched)),
      subclass_(std::make_unique<TWindowSubclass>(window, [this](TMessage& m) {
        if (std::find(watched_.begin(), watched_.end(), m.Msg) != watched_.end()) seen_.push_back(m.Msg);
        return false;
      })) {}

MessageLog::~MessageLog() = default;

std::vector<UINT> MessageLog::Take() { return std::exchange(seen_, {}); }

void ExpectSequence(const std::vector<UINT>& seen, const std::vector<Expected>& expected, const std::string& context) {
  size_t s = 0;
  for (const Expected& e : expected) {
    if (s < seen.size() && seen[s] == e.msg) {
      ++s;
    } else if (!(e.flags & kOptional)) {
      ADD_FAILURE() << context << ": expected " << Name(e.msg) << " at position " << s << ", seen " << Names(seen);
      return;
    }
  }
  if (s < seen.size())
    ADD_FAILURE() << context << ": " << Name(seen[s]) << " was not expected at position " << s << ", seen "
                  << Names(seen);
}

}  // namespace bus::test
