#include "tests/support/BoxAnswerer.h"

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

BoxAnswerer::BoxAnswerer(std::vector<int> answers) : BoxAnswerer(std::move(answers), [] { return true; }) {}

BoxAnswerer::BoxAnswerer(std::vector<int> answers, std::function<bool()> ready)
    : answers_(std::move(answers)), ready_(std::move(ready)), outer_(gAnswerer), timer_(30, [this] { AnswerNewBoxes(); }) {
  gAnswerer = this;
}

BoxAnswerer::~BoxAnswerer() { gAnswerer = outer_; }

void BoxAnswerer::AnswerNewBoxes() {
  if (gAnswerer != this || !ready_()) return;
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
