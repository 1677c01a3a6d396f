#include "framework/controls/ObjectInstance.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "framework/controls/Application.h"
#include "framework/controls/WinControl.h"

namespace bus {

namespace {

// Stubs live in executable pages taken from the system a page at a time and never given back;
// freed stubs are reused. Everything runs on the one UI thread.
constexpr size_t kStubSize = 32;

class StubPool {
public:
  void* Take() {
    if (free_.empty()) Grow();
    void* stub = free_.back();
    free_.pop_back();
    return stub;
  }
  void Give(void* stub) { free_.push_back(stub); }

private:
  void Grow() {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    const size_t size = info.dwPageSize;
    auto* page = static_cast<std::uint8_t*>(VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    if (!page) throw EWin32Error("cannot allocate memory for window procedure stubs");
    for (size_t offset = size; offset >= kStubSize; offset -= kStubSize) free_.push_back(page + offset - kStubSize);
  }

  std::vector<void*> free_;  // stubs ready for use
};

StubPool& Pool() {
  static StubPool pool;
  return pool;
}

// Writes the stub: it replaces the first argument (the window handle) with self and jumps to
// target, leaving the other arguments and the return address as the caller made them.
void WriteStub(void* stub, void* self, void* target) {
  auto* code = static_cast<std::uint8_t*>(stub);
#if defined(__x86_64__) || defined(_M_X64)
  code[0] = 0x48;  // mov rcx, imm64
  code[1] = 0xB9;
  std::memcpy(code + 2, &self, 8);
  code[10] = 0x48;  // mov rax, imm64
  code[11] = 0xB8;
  std::memcpy(code + 12, &target, 8);
  code[20] = 0xFF;  // jmp rax
  code[21] = 0xE0;
#elif defined(__i386__) || defined(_M_IX86)
  code[0] = 0xC7;  // mov dword [esp+4], imm32
  code[1] = 0x44;
  code[2] = 0x24;
  code[3] = 0x04;
  std::memcpy(code + 4, &self, 4);
  code[8] = 0xB8;  // mov eax, imm32
  std::memcpy(code + 9, &target, 4);
  code[13] = 0xFF;  // jmp eax
  code[14] = 0xE0;
#else
#error "window procedure stubs are written for x86 and x86-64 only"
#endif
  FlushInstructionCache(GetCurrentProcess(), stub, kStubSize);
}

std::map<WNDPROC, std::unique_ptr<TObjectInstance>>& PlainInstances() {
  static std::map<WNDPROC, std::unique_ptr<TObjectInstance>> instances;  // made by MakeObjectInstance
  return instances;
}

}  // namespace

TObjectInstance::TObjectInstance(TWndMethod handler) : handler_(std::move(handler)) {
  void* stub = Pool().Take();
  WriteStub(stub, this, reinterpret_cast<void*>(&TObjectInstance::Dispatch));
  proc_ = reinterpret_cast<WNDPROC>(stub);
}

TObjectInstance::~TObjectInstance() { Pool().Give(reinterpret_cast<void*>(proc_)); }

LRESULT CALLBACK TObjectInstance::Dispatch(TObjectInstance* self, UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  try {
    self->handler_(m);
  } catch (...) {
    HandleCurrentException(nullptr);
  }
  return m.Result;
}

WNDPROC MakeObjectInstance(TWndMethod handler) {
  auto instance = std::make_unique<TObjectInstance>(std::move(handler));
  const WNDPROC proc = instance->Proc();
  PlainInstances()[proc] = std::move(instance);
  return proc;
}

void FreeObjectInstance(WNDPROC proc) noexcept { PlainInstances().erase(proc); }

}  // namespace bus
