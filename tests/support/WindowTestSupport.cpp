#include "tests/support/WindowTestSupport.h"

#include <algorithm>
#include <map>

#include "framework/controls/Application.h"
#include "framework/controls/Control.h"
#include "framework/controls/FrameworkClasses.h"
#include "framework/graphics/GdiHandles.h"

namespace bus::test {

TApplication& EnsureApplication() {
  static TApplication* app = [] {
    auto* a = new TApplication();  // never freed: nothing of it runs while the process ends
    a->Initialize();
    RegisterFrameworkClasses();
    return a;
  }();
  return *app;
}

namespace {

// Handles the messages waiting in this thread's queue.
void HandleQueued() {
  if (Application) {
    Application->ProcessMessages();
    return;
  }
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// The live thread timers by id.
std::map<UINT_PTR, ThreadTimer*>& ThreadTimers() {
  static std::map<UINT_PTR, ThreadTimer*> timers;
  return timers;
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > ms) return false;  // unsigned: right across the counter's wrap
    HandleQueued();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

bool PumpPending(DWORD ms) {
  return PumpUntil(
      [] {
        HandleQueued();
        return HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0;
      },
      ms);
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

// Under Wine a warp's motion events may arrive late and put the pointer back for a moment: the
// move is sent again whenever the pointer is found elsewhere, and counts once the pointer has been
// seen at the target three times in a row, 50 ms apart.
void MoveCursor(POINT p, DWORD ms) {
  SetCursorPos(p.x, p.y);
  int stable = 0;
  PumpUntil(
      [&] {
        PumpFor(50);
        POINT now{};
        GetCursorPos(&now);
        if (now.x == p.x && now.y == p.y) return ++stable >= 3;
        stable = 0;
        SetCursorPos(p.x, p.y);
        return false;
      },
      ms);
}

ThreadTimer::ThreadTimer(UINT ms, std::function<void()> tick) : tick_(std::move(tick)) {
  id_ = SetTimer(nullptr, 0, ms, [](HWND, UINT, UINT_PTR id, DWORD) {
    const auto it = ThreadTimers().find(id);
    if (it != ThreadTimers().end()) it->second->tick_();
  });
  ThreadTimers()[id_] = this;
}

ThreadTimer::~ThreadTimer() {
  KillTimer(nullptr, id_);
  ThreadTimers().erase(id_);
}

HeldKey::HeldKey(BYTE virtualKey) : key_(virtualKey) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  saved_ = keys[key_];
  keys[key_] = 0x80;
  SetKeyboardState(keys);
}

HeldKey::~HeldKey() {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[key_] = saved_;
  SetKeyboardState(keys);
}

int ThreadWindowCount() {
  int count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM lp) -> BOOL {
        auto& n = *reinterpret_cast<int*>(lp);
        ++n;
        EnumChildWindows(
            w,
            [](HWND, LPARAM inner) -> BOOL {
              ++*reinterpret_cast<int*>(inner);
              return TRUE;
            },
            lp);
        return TRUE;
      },
      LPARAM(&count));
  return count;
}

COLORREF PixelAt(const TControl& control, POINT client) {
  const POINT p = control.ClientToScreen(client);
  return GetPixel(WindowDC().Get(), p.x, p.y);
}

TMessageRecorder::TMessageRecorder(TControl& control, std::vector<UINT> messages,
                                   std::function<void(const TMessage&)> onSeen)
    : wanted_(std::move(messages)),
      onSeen_(std::move(onSeen)),
      hook_(control, [this](TMessage& m) {
        if (std::find(wanted_.begin(), wanted_.end(), m.Msg) == wanted_.end()) return false;
        if (onSeen_) onSeen_(m);
        const size_t index = seen_.size();
        seen_.push_back(m);  // in the order the messages arrive, nested ones after
        hook_.Default(m);
        seen_[index].Result = m.Result;
        return true;
      }) {}

TMessageRecorder::~TMessageRecorder() = default;

std::vector<UINT> TMessageRecorder::Messages() const {
  std::vector<UINT> numbers;
  for (const TMessage& m : seen_) numbers.push_back(m.Msg);
  return numbers;
}

int TMessageRecorder::Count(UINT msg) const {
  return int(std::count_if(seen_.begin(), seen_.end(), [msg](const TMessage& m) { return m.Msg == msg; }));
}

}  // namespace bus::test
