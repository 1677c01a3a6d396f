#include "tests/framework/BoxAnswerer.h"

#include <algorithm>

#include "core/WideText.h"

namespace bus::test {

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

}  // namespace bus::test
