#include "tray/WindowHook.h"

#include <cstdint>
#include <cstring>
#include <mutex>
#include <vector>

#include "framework/controls/Application.h"
#include "framework/controls/WinControl.h"

namespace bus {

#if !defined(__x86_64__)
#error "the window hook thunk is written for x86-64"
#endif

struct TWindowHook::Record {
  unsigned char* thunk = nullptr;  // executable stub: first argument := this record, jump to HookedProc
  HWND window = nullptr;           // hooked window; null once the window is destroyed
  WNDPROC saved = nullptr;         // the procedure that was there before ours
  Handler handler;                 // sees messages first; empty: pass-through
  TObject* sender = nullptr;       // reported with the handler's errors
  bool owned = true;               // a TWindowHook still holds the record
  bool off = false;                // Unhook ran: at most a pass-through now
  bool detached = false;           // our procedure is out of the window's chain
  int busy = 0;                    // calls of HookedProc running on this record
};

namespace {

constexpr size_t kThunkSize = 32;     // one slot of a thunk page
constexpr size_t kPageSize = 4096;

// Slots of executable memory for thunks. Pages are never given back: hooks are few and a slot is
// reused as soon as its hook is freed.
class ThunkPool {
public:
  unsigned char* Allocate() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (free_.empty()) {
      auto* page = static_cast<unsigned char*>(
          VirtualAlloc(nullptr, kPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
      if (!page) return nullptr;
      for (size_t off = kPageSize; off >= kThunkSize; off -= kThunkSize) free_.push_back(page + off - kThunkSize);
    }
    unsigned char* slot = free_.back();
    free_.pop_back();
    return slot;
  }
  void Release(unsigned char* slot) {
    std::memset(slot, 0xCC, kThunkSize);  // int3: a stale call traps instead of running on
    std::lock_guard<std::mutex> lock(mutex_);
    free_.push_back(slot);
  }

private:
  std::mutex mutex_;                 // the pool may be reached from any thread's hook set-up
  std::vector<unsigned char*> free_; // unused slots
};

ThunkPool& Pool() {
  static ThunkPool* pool = new ThunkPool;  // never destroyed: pass-through hooks may run at exit
  return *pool;
}

LRESULT CALLBACK HookedProc(HWND recordAsWindow, UINT msg, WPARAM wParam, LPARAM lParam);

// mov rcx, record ; mov rax, HookedProc ; jmp rax
void WriteThunk(unsigned char* thunk, TWindowHook::Record* record) {
  const auto recordBits = reinterpret_cast<std::uint64_t>(record);
  const auto procBits = reinterpret_cast<std::uint64_t>(&HookedProc);
  unsigned char* p = thunk;
  *p++ = 0x48;
  *p++ = 0xB9;
  std::memcpy(p, &recordBits, 8);
  p += 8;
  *p++ = 0x48;
  *p++ = 0xB8;
  std::memcpy(p, &procBits, 8);
  p += 8;
  *p++ = 0xFF;
  *p++ = 0xE0;
  FlushInstructionCache(GetCurrentProcess(), thunk, kThunkSize);
}

void FreeRecord(TWindowHook::Record* record) {
  Pool().Release(record->thunk);
  delete record;
}

// Frees the record once nobody holds it, it is out of the chain and no call is running on it.
void FreeIfDone(TWindowHook::Record* record) {
  if (!record->owned && record->detached && record->busy == 0) FreeRecord(record);
}

LRESULT CALLBACK HookedProc(HWND recordAsWindow, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* record = reinterpret_cast<TWindowHook::Record*>(recordAsWindow);
  HWND window = record->window;
  ++record->busy;
  if (record->handler) {
    try {
      const TWindowHook::Handler handler = record->handler;  // the handler may unhook (and so clear its own copy)
      handler(TMessage{msg, wParam, lParam, 0});
    } catch (...) {
      HandleCurrentException(record->sender);
    }
  }
  const LRESULT result = CallWindowProcW(record->saved, window, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    // the window is gone: nothing is left to restore, and no message comes through here again
    record->window = nullptr;
    record->detached = true;
    record->handler = nullptr;
  }
  --record->busy;
  FreeIfDone(record);
  return result;
}

}  // namespace

TWindowHook::TWindowHook(HWND window, Handler handler, TObject* sender) {
  if (!IsWindow(window)) throw EWin32Error("cannot hook a window that does not exist");
  auto* record = new Record;
  record->thunk = Pool().Allocate();
  if (!record->thunk) {
    delete record;
    throw EWin32Error("no executable memory for a window hook");
  }
  record->window = window;
  record->handler = std::move(handler);
  record->sender = sender;
  WriteThunk(record->thunk, record);
  record->saved = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record->thunk)));
  if (!record->saved) {
    FreeRecord(record);
    throw EWin32Error("cannot replace the window procedure");
  }
  record_ = record;
}

TWindowHook::~TWindowHook() {
  Unhook();
  if (record_) {
    record_->owned = false;
    FreeIfDone(record_);
    record_ = nullptr;
  }
}

void TWindowHook::Unhook() noexcept {
  if (!record_ || record_->off) return;
  record_->off = true;
  record_->handler = nullptr;
  if (record_->detached) return;
  HWND window = record_->window;
  if (!IsWindow(window)) {
    record_->detached = true;
    return;
  }
  const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
  if (current == reinterpret_cast<WNDPROC>(record_->thunk)) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record_->saved));
    record_->detached = true;
  }
  // else: someone subclassed on top of us; stay in the chain as a pass-through
}

HWND TWindowHook::Window() const noexcept {
  return record_ && !record_->off && !record_->detached ? record_->window : nullptr;
}

WNDPROC TWindowHook::SavedProc() const noexcept { return record_ ? record_->saved : nullptr; }

WNDPROC TWindowHook::HookProc() const noexcept {
  return record_ ? reinterpret_cast<WNDPROC>(record_->thunk) : nullptr;
}

}  // namespace bus
