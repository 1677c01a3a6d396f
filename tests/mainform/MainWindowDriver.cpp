#include "tests/mainform/MainWindowDriver.h"

#include <algorithm>

#include "core/WideText.h"
#include "framework/controls/Application.h"
#include "framework/controls/Control.h"
#include "tests/desktop/DesktopTestSupport.h"
#include "tests/desktop/TrayMenuDriver.h"
#include "tray/TrayIcon.h"

namespace bus::test {

void Settle() {
  for (int i = 0; i < 4; ++i) {
    Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

void Type(const std::string& text) {
  HWND focus = GetFocus();
  for (wchar_t c : Widen(text)) PostMessageW(focus, WM_CHAR, WPARAM(c), 1);
  Settle();
}

void Press(UINT virtualKey) {
  HWND focus = GetFocus();
  const LPARAM scan = LPARAM(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(focus, WM_KEYDOWN, virtualKey, scan | 1);
  PostMessageW(focus, WM_KEYUP, virtualKey, scan | 1 | (LPARAM(3) << 30));
  Settle();
}

void Click(TControl& control, POINT point) {
  const POINT screen = control.ClientToScreen(point);
  MoveCursor(screen, kDesktopWait);
  HWND target = WindowFromPoint(screen);
  POINT client = screen;
  ScreenToClient(target, &client);
  const LPARAM at = MAKELPARAM(client.x, client.y);
  PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(target, WM_LBUTTONUP, 0, at);
  Settle();
}

// --- message boxes -----------------------------------------------------------------------------

namespace {

BoxAnswerer* gAnswerer = nullptr;  // the one answering now

struct Boxes {
  std::vector<HWND> found;
};

std::string WindowText(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return Narrow(text);
}

}  // namespace

BoxAnswerer::BoxAnswerer(std::vector<int> answers) : answers_(std::move(answers)), outer_(gAnswerer) {
  gAnswerer = this;
  timer_ = SetTimer(nullptr, 0, 30, Tick);
}

BoxAnswerer::~BoxAnswerer() {
  KillTimer(nullptr, timer_);
  gAnswerer = outer_;
}

void CALLBACK BoxAnswerer::Tick(HWND, UINT, UINT_PTR, DWORD) {
  BoxAnswerer* self = gAnswerer;
  if (!self) return;
  Boxes boxes;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM lp) -> BOOL {
        wchar_t cls[32] = {};
        GetClassNameW(w, cls, 32);
        if (std::wstring(cls) == L"#32770" && IsWindowVisible(w)) reinterpret_cast<Boxes*>(lp)->found.push_back(w);
        return TRUE;
      },
      LPARAM(&boxes));
  for (HWND box : boxes.found) {
    if (std::find(self->answered_.begin(), self->answered_.end(), box) != self->answered_.end()) continue;
    SeenBox seen;
    seen.caption = WindowText(box);
    seen.text = WindowText(GetDlgItem(box, 0xFFFF));
    seen.ok = GetDlgItem(box, IDOK) != nullptr;
    seen.cancel = GetDlgItem(box, IDCANCEL) != nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t cls[32] = {};
      GetClassNameW(child, cls, 32);
      if (lstrcmpiW(cls, L"Button") == 0 && IsWindowVisible(child)) ++seen.buttons;
    }
    const size_t index = self->seen_.size();
    self->seen_.push_back(seen);
    const int answer = self->answers_.empty() ? IDOK : self->answers_[std::min(index, self->answers_.size() - 1)];
    self->answered_.push_back(box);
    PostMessageW(box, WM_COMMAND, WPARAM(answer), 0);
  }
}

// --- the tray menu -----------------------------------------------------------------------------

int ChooseFromTrayMenu(TTrayIcon& tray, int downs) {
  const int menus = SendTrayIconMessage(tray, WM_RBUTTONDOWN, downs);
  Settle();
  return menus;
}

// --- the shell ---------------------------------------------------------------------------------

std::vector<ShellCall>& ShellCalls() {
  static std::vector<ShellCall> calls;
  return calls;
}

void RecordShellCalls() {
  TTrayIcon::SetShellNotifyIcon([](DWORD message, NOTIFYICONDATAW& data) {
    ShellCalls().push_back({message, Narrow(data.szTip), IconCentre(data.hIcon)});
    return Shell_NotifyIconW(message, &data);
  });
}

}  // namespace bus::test
