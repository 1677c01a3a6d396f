// A hidden message-only window whose messages go to a handler: timers, the tray's callback window,
// the owner of popup menus. The handler runs behind the exception barrier; messages it leaves
// unhandled (Result untouched and handled false) go to DefWindowProc.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/controls/Messages.h"

namespace bus {

class TObject;

class TUtilWindow {
public:
  // handler returns true when it handled the message (and set its Result).
  using Handler = std::function<bool(TMessage&)>;
  TUtilWindow(Handler handler, TObject* sender = nullptr);
  ~TUtilWindow();
  TUtilWindow(const TUtilWindow&) = delete;
  TUtilWindow& operator=(const TUtilWindow&) = delete;

  HWND Handle() const noexcept { return handle_; }

private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);

  HWND handle_ = nullptr;   // the hidden window
  Handler handler_;         // where its messages go
  TObject* sender_;         // reported as the sender of errors
};

}  // namespace bus
