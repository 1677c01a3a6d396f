#include "framework/controls/WindowProcStub.h"

#include <cstdint>
#include <cstring>
#include <deque>

#include "framework/controls/WinControl.h"

#if !defined(__x86_64__)
#error "window procedure stubs are written for x86-64"
#endif

// The shared second half of every stub: it makes a frame, passes the context (in r10) as the fifth
// argument and calls the target (in r11). It has unwind data, so exceptions and stack walks pass
// through it; the stub itself only jumps here and leaves no frame behind.
asm(R"(
  .text
  .p2align 4
  .globl BusWindowProcTrampoline
  .def BusWindowProcTrampoline; .scl 2; .type 32; .endef
  .seh_proc BusWindowProcTrampoline
BusWindowProcTrampoline:
  sub $0x38, %rsp
  .seh_stackalloc 0x38
  .seh_endprologue
  mov %r10, 0x20(%rsp)
  call *%r11
  add $0x38, %rsp
  ret
  .seh_endproc
)");

extern "C" void BusWindowProcTrampoline();

namespace bus {

namespace {

constexpr size_t kStubSize = 32;  // one slot: three 10-byte moves and a 2-byte jump

// Slots of executable memory, taken from the system a page at a time and never given back. Free
// slots are handed out oldest first.
class StubPool {
public:
  unsigned char* Take() {
    if (free_.empty()) Grow();
    unsigned char* slot = free_.front();
    free_.pop_front();
    return slot;
  }
  void Give(unsigned char* slot) { free_.push_back(slot); }

private:
  void Grow() {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    const size_t size = info.dwPageSize;
    auto* page = static_cast<unsigned char*>(VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    if (!page) throw EWin32Error("cannot allocate memory for window procedure stubs");
    for (size_t offset = 0; offset + kStubSize <= size; offset += kStubSize) free_.push_back(page + offset);
  }

  std::deque<unsigned char*> free_;  // slots ready for use, oldest freed first
};

StubPool& Pool() {
  static StubPool* pool = new StubPool;  // never destroyed: retired stubs may be called at exit
  return *pool;
}

// What a retired stub does.
LRESULT RetiredTarget(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, void*) {
  return IsWindow(window) ? DefWindowProcW(window, msg, wParam, lParam) : 0;
}

// mov r10, context ; mov r11, target ; mov rax, trampoline ; jmp rax
void WriteStub(unsigned char* slot, TWindowProcStub::Target target, void* context) {
  const auto contextBits = reinterpret_cast<std::uint64_t>(context);
  const auto targetBits = reinterpret_cast<std::uint64_t>(target);
  const auto trampolineBits = reinterpret_cast<std::uint64_t>(&BusWindowProcTrampoline);
  unsigned char* p = slot;
  *p++ = 0x49;
  *p++ = 0xBA;
  std::memcpy(p, &contextBits, 8);
  p += 8;
  *p++ = 0x49;
  *p++ = 0xBB;
  std::memcpy(p, &targetBits, 8);
  p += 8;
  *p++ = 0x48;
  *p++ = 0xB8;
  std::memcpy(p, &trampolineBits, 8);
  p += 8;
  *p++ = 0xFF;
  *p++ = 0xE0;
  FlushInstructionCache(GetCurrentProcess(), slot, kStubSize);
}

}  // namespace

TWindowProcStub::TWindowProcStub(Target target, void* context) {
  unsigned char* slot = Pool().Take();
  WriteStub(slot, target, context);
  proc_ = reinterpret_cast<WNDPROC>(slot);
}

TWindowProcStub::~TWindowProcStub() {
  auto* slot = reinterpret_cast<unsigned char*>(proc_);
  WriteStub(slot, &RetiredTarget, nullptr);
  Pool().Give(slot);
}

}  // namespace bus
