#include "framework/controls/WindowSubclass.h"

#include <cassert>
#include <memory>
#include <utility>

#include "framework/controls/Application.h"
#include "framework/controls/WinControl.h"
#include "framework/controls/WindowProcStub.h"

namespace bus {

struct TWindowSubclass::Record {
  std::unique_ptr<TWindowProcStub> stub;  // our window procedure
  HWND window = nullptr;                  // the subclassed window; null once it is destroyed
  WNDPROC previous = nullptr;             // the procedure ours replaced
  bool unicode = true;                    // installed (and read back, and passed on) with the wide calls
  Handler handler;                        // sees messages first; emptied once removed and idle
  TObject* sender = nullptr;              // reported with the handler's errors
  bool owned = true;                      // a TWindowSubclass still holds the record
  bool removed = false;                   // Remove ran: a pass-through at most
  bool detached = false;                  // out of the window's chain (put back, or the window gone)
  int busy = 0;                           // calls of Dispatch running on this record
  bool* passedOn = nullptr;               // the innermost running call's flag: the message went on
};

namespace {

using Record = TWindowSubclass::Record;

// Window handles carry 32 significant bits; callers may pass them sign- or zero-extended.
bool SameWindow(HWND a, HWND b) noexcept { return DWORD(ULONG_PTR(a)) == DWORD(ULONG_PTR(b)); }

WNDPROC CurrentProc(const Record& r) noexcept {
  return reinterpret_cast<WNDPROC>(r.unicode ? GetWindowLongPtrW(r.window, GWLP_WNDPROC)
                                             : GetWindowLongPtrA(r.window, GWLP_WNDPROC));
}

LRESULT Previous(const Record& r, UINT msg, WPARAM wParam, LPARAM lParam) {
  return r.unicode ? CallWindowProcW(r.previous, r.window, msg, wParam, lParam)
                   : CallWindowProcA(r.previous, r.window, msg, wParam, lParam);
}

// Puts the previous procedure back when ours is the window's procedure; a window that is gone
// leaves nothing to put back.
void Unchain(Record& r) noexcept {
  if (r.detached) return;
  if (!IsWindow(r.window)) {
    r.detached = true;
    return;
  }
  if (CurrentProc(r) != r.stub->Proc()) return;  // someone sits on top of us: stay a pass-through
  if (r.unicode) SetWindowLongPtrW(r.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(r.previous));
  else SetWindowLongPtrA(r.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(r.previous));
  r.detached = true;
}

// After the last call on a removed record: drop the handler (and what it holds), take a
// pass-through out when it can go, and free the record once nobody needs it.
void Settle(Record* r) noexcept {
  if (r->busy > 0) return;
  if (r->removed) {
    r->handler = nullptr;
    Unchain(*r);
  }
  if (!r->owned && r->detached) delete r;
}

LRESULT Dispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, void* context) {
  auto* r = static_cast<Record*>(context);
  if (!SameWindow(window, r->window) || r->detached) {
    // a stale pointer to our procedure: the chain it belonged to is gone
    return IsWindow(window) ? DefWindowProcW(window, msg, wParam, lParam) : 0;
  }
  ++r->busy;
  bool passedOn = false;
  bool* const outer = std::exchange(r->passedOn, &passedOn);
  TMessage m{msg, wParam, lParam, 0};
  bool answered = false;
  if (!r->removed && r->handler) {
    try {
      answered = r->handler(m);
    } catch (...) {
      HandleCurrentException(r->sender);
    }
  }
  // an unanswered message goes on; WM_NCDESTROY always reaches the rest of the chain
  if ((!answered || msg == WM_NCDESTROY) && !passedOn) {
    m.Result = Previous(*r, msg, wParam, lParam);
    passedOn = true;
  }
  r->passedOn = outer;
  if (msg == WM_NCDESTROY) {
    // the window is gone: nothing is left to put back, and no message comes through here again
    r->detached = true;
    r->removed = true;
  }
  --r->busy;
  Settle(r);
  return m.Result;
}

}  // namespace

TWindowSubclass::TWindowSubclass(HWND window, Handler handler, TObject* sender) {
  if (!IsWindow(window)) throw EWin32Error("cannot subclass a window that does not exist");
  auto record = std::make_unique<Record>();
  record->window = window;
  record->unicode = IsWindowUnicode(window) != FALSE;
  record->handler = std::move(handler);
  record->sender = sender;
  record->stub = std::make_unique<TWindowProcStub>(&Dispatch, record.get());
  const auto proc = reinterpret_cast<LONG_PTR>(record->stub->Proc());
  SetLastError(0);
  const LONG_PTR previous = record->unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, proc)
                                            : SetWindowLongPtrA(window, GWLP_WNDPROC, proc);
  if (previous == 0 && GetLastError() != 0) throw EWin32Error("cannot replace the window procedure");
  record->previous = reinterpret_cast<WNDPROC>(previous);
  record_ = record.release();
}

TWindowSubclass::~TWindowSubclass() {
  Remove();
  record_->owned = false;
  Settle(record_);
}

void TWindowSubclass::Remove() noexcept {
  if (record_->removed) return;
  record_->removed = true;
  Settle(record_);
}

void TWindowSubclass::Default(TMessage& m) const { m.Result = CallPrevious(m.Msg, m.WParam, m.LParam); }

LRESULT TWindowSubclass::CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const {
  assert(record_->window);
  if (record_->passedOn) *record_->passedOn = true;
  return Previous(*record_, msg, wParam, lParam);
}

HWND TWindowSubclass::Window() const noexcept {
  return record_->removed || record_->detached ? nullptr : record_->window;
}

WNDPROC TWindowSubclass::Proc() const noexcept { return record_->stub->Proc(); }

WNDPROC TWindowSubclass::PreviousProc() const noexcept { return record_->previous; }

bool TWindowSubclass::Unicode() const noexcept { return record_->unicode; }

}  // namespace bus
