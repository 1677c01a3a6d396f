#include "tests/support/BoxAnswerer.h"

#include <algorithm>
#include <string_view>

#include "core/WideText.h"

namespace bus::test {

namespace {

BoxAnswerer* gAnswerer = nullptr;  // the one answering now

std::string WindowText(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return Narrow(text);
}

}  // namespace

std::vector<HWND> VisibleDialogs() {
  std::vector<HWND> found;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM lp) -> BOOL {
        wchar_t cls[32] = {};
        GetClassNameW(w, cls, 32);
        if (std::wstring_view(cls) == L"#32770" && IsWindowVisible(w)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
        return TRUE;
      },
      LPARAM(&found));
  return found;
}

HWND FirstVisibleDialog() {
  const std::vector<HWND> dialogs = VisibleDialogs();
  return dialogs.empty() ? nullptr : dialogs.front();
}

BoxAnswerer::BoxAnswerer(std::vector<int> answers) : BoxAnswerer(std::move(answers), [] { return true; }) {}

BoxAnswerer::BoxAnswerer(std::vector<int> answers, std::function<bool()> ready)
    : answers_(std::move(answers)), ready_(std::move(ready)), outer_(gAnswerer), timer_(30, [this] { AnswerNewBoxes(); }) {
  gAnswerer = this;
}

BoxAnswerer::~BoxAnswerer() { gAnswerer = outer_; }

void BoxAnswerer::AnswerNewBoxes() {
  if (gAnswerer != this || !ready_()) return;
  for (HWND box : VisibleDialogs()) {
    if (std::find(answered_.begin(), answered_.end(), box) != answered_.end()) continue;
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
    const size_t index = seen_.size();
    seen_.push_back(seen);
    const int answer = answers_.empty() ? IDOK : answers_[std::min(index, answers_.size() - 1)];
    answered_.push_back(box);
    PostMessageW(box, WM_COMMAND, WPARAM(answer), 0);
  }
}

}  // namespace bus::test
