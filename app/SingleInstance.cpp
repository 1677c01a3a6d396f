#include "app/SingleInstance.h"

#include <sddl.h>

#include <memory>

#include "core/Exception.h"

namespace bus::app {

// The published window and the process it belongs to, written once by the first instance.
struct TSingleInstance::Shared {
  volatile LONG64 window;     // HWND of the window that answers the show request, 0 until published
  volatile LONG processId;    // the first instance's process
};

namespace {

// The string form of the security identifier of the user this process runs as; empty if the
// platform does not say.
std::wstring UserSid() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  std::unique_ptr<void, decltype(&CloseHandle)> tokenGuard(token, CloseHandle);
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  if (size == 0) return {};
  std::unique_ptr<BYTE[]> buffer(new BYTE[size]);
  if (!GetTokenInformation(token, TokenUser, buffer.get(), size, &size)) return {};
  LPWSTR text = nullptr;
  if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.get())->User.Sid, &text)) return {};
  std::wstring sid = text;
  LocalFree(text);
  return sid;
}

// The window published by processId, if it still is that process's window.
HWND LiveWindow(LONG64 value, DWORD processId) {
  HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(value));
  if (!window || !IsWindow(window)) return nullptr;
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  return owner == processId ? window : nullptr;
}

}  // namespace

TSingleInstance::TSingleInstance() : TSingleInstance(UserInstanceName()) {}

TSingleInstance::TSingleInstance(const std::wstring& name) {
  mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Shared), name.c_str());
  if (!mapping_) throw Exception("cannot tell whether the program already runs (error " +
                                 std::to_string(GetLastError()) + ")");
  first_ = GetLastError() != ERROR_ALREADY_EXISTS;
  shared_ = static_cast<Shared*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(Shared)));
  if (!shared_) {
    CloseHandle(mapping_);
    throw Exception("cannot tell whether the program already runs (error " + std::to_string(GetLastError()) + ")");
  }
  // a new mapping is zero-filled: no window yet
  if (first_) InterlockedExchange(&shared_->processId, LONG(GetCurrentProcessId()));
}

TSingleInstance::~TSingleInstance() {
  if (shared_) UnmapViewOfFile(shared_);
  if (mapping_) CloseHandle(mapping_);
}

void TSingleInstance::Publish(HWND window) {
  if (!first_) return;
  InterlockedExchange64(&shared_->window, static_cast<LONG64>(reinterpret_cast<INT_PTR>(window)));
}

bool TSingleInstance::ActivateFirst(DWORD ms) {
  if (first_) return false;
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD processId = DWORD(InterlockedCompareExchange(&shared_->processId, 0, 0));
    if (HWND window = LiveWindow(InterlockedCompareExchange64(&shared_->window, 0, 0), processId)) {
      // this process was just started by the user, so it may hand the foreground on
      AllowSetForegroundWindow(processId);
      return PostMessageW(window, ShowRequestMessage(), 0, 0) != 0;
    }
    if (GetTickCount() - start >= ms) return false;
    Sleep(50);  // the first instance is still building its window
  }
}

std::wstring TSingleInstance::UserInstanceName() {
  std::wstring sid = UserSid();
  if (sid.empty()) sid = L"unknown-user";
  return L"Local\\Zelvo.BusSearch." + sid;
}

UINT TSingleInstance::ShowRequestMessage() {
  static const UINT message = RegisterWindowMessageW(L"Zelvo.BusSearch.ShowMainWindow");
  return message;
}

}  // namespace bus::app
