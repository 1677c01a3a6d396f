#include "framework/controls/UtilWindow.h"

#include "framework/controls/Application.h"
#include "framework/controls/WinControl.h"

namespace bus {

namespace {
const wchar_t kUtilClass[] = L"TPUtilWindow";
}

TUtilWindow::TUtilWindow(Handler handler, TObject* sender) : handler_(std::move(handler)), sender_(sender) {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &TUtilWindow::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kUtilClass;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
  // messages before the object is known (creation) get the default processing
  handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, kUtilClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (!handle_) throw EWin32Error("cannot create a message window");
  SetWindowLongPtrW(handle_, GWLP_USERDATA, LONG_PTR(this));
}

TUtilWindow::~TUtilWindow() {
  if (handle_) {
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

LRESULT CALLBACK TUtilWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TUtilWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  try {
    if (self->handler_ && self->handler_(m)) return m.Result;
  } catch (...) {
    HandleCurrentException(self->sender_);
    return m.Result;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace bus
