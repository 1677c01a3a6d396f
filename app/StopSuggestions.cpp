#include "app/StopSuggestions.h"

#include <windows.h>

#include <algorithm>

#include "app/SuggestionList.h"
#include "core/ScopedValue.h"
#include "core/StringList.h"
#include "core/WideText.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/GdiHandles.h"

namespace bus {

namespace {

// Room beside the text of a line, in pixels.
constexpr int kTextPadding = 8;

// The width of the widest of lines in the list's font.
int WidestLine(TSuggestionList& list, const TStringList& lines) {
  WindowDC dc(list.Handle());
  if (!dc) return 0;
  SavedDCState saved(dc.Get());
  SelectObject(dc.Get(), list.Font()->Handle());
  int widest = 0;
  for (const std::string& line : lines) {
    const std::wstring wide = Widen(line);
    SIZE size{};
    if (GetTextExtentPoint32W(dc.Get(), wide.c_str(), int(wide.size()), &size)) widest = std::max(widest, int(size.cx));
  }
  return widest;
}

}  // namespace

StopSuggestions::StopSuggestions(TForm& form, TSuggestionList& list, Source source)
    : form_(form), list_(list), source_(std::move(source)) {
  list_.OnTake = TNotifyEvent([this](TObject*) { Take(); });
}

void StopSuggestions::TextChanged(TCustomEdit& box) {
  if (quiet_) return;
  const std::string text = box.Text();
  const std::vector<std::string> names = text.empty() ? std::vector<std::string>() : source_(box, text);
  if (names.empty()) {
    Close();
    return;
  }
  TStringList lines;
  for (const std::string& name : names) lines.Add(name);
  list_.Items().Assign(lines);
  list_.SetItemIndex(-1);
  list_.ForgetMouse();
  box_ = &box;
  Place(box);
}

bool StopSuggestions::KeyDown(TCustomEdit& box, unsigned short key) {
  if (box_ != &box) return false;
  const int count = list_.Items().Count();
  switch (key) {
    case VK_DOWN:
      list_.SetItemIndex(std::min(list_.ItemIndex() + 1, count - 1));
      return true;
    case VK_UP:
      list_.SetItemIndex(std::max(list_.ItemIndex() - 1, -1));
      return true;
    case VK_ESCAPE:
      Close();
      return true;
  }
  return false;
}

bool StopSuggestions::Enter(TCustomEdit& box) {
  if (box_ != &box) return false;
  if (list_.ItemIndex() < 0) {
    Close();
    return false;
  }
  Take();
  return true;
}

void StopSuggestions::Close() {
  box_ = nullptr;
  list_.Hide();
}

void StopSuggestions::SetTextQuietly(TCustomEdit& box, const std::string& text) {
  Close();
  ScopedValue quiet(quiet_, true);
  box.SetText(text);
}

// The selected name into the box, the caret after it.
void StopSuggestions::Take() {
  TCustomEdit* box = box_;
  const int item = list_.ItemIndex();
  if (!box || item < 0 || item >= list_.Items().Count()) return;
  const std::string name = list_.Items().Lines()[item];
  SetTextQuietly(*box, name);
  box->SetSel(int(Widen(name).size()), 0);
}

// Under the box when the window has room for the list there, otherwise above it; at least as wide
// as the box and wide enough for the longest name, kept inside the window; on top of its siblings.
void StopSuggestions::Place(TCustomEdit& box) {
  HWND list = list_.Handle();
  const int lines = list_.Items().Count();
  const int lineHeight = int(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  RECT frame{}, client{};
  GetWindowRect(list, &frame);
  GetClientRect(list, &client);
  const int border = (frame.right - frame.left) - (client.right - client.left);
  const int height = lines * lineHeight + border;
  const int width = std::max(box.Width(), WidestLine(list_, list_.Items().Lines()) + kTextPadding + border);

  RECT boxFrame{};
  GetWindowRect(box.Handle(), &boxFrame);
  MapWindowPoints(HWND_DESKTOP, form_.Handle(), reinterpret_cast<POINT*>(&boxFrame), 2);
  RECT window{};
  GetClientRect(form_.Handle(), &window);
  int top = boxFrame.bottom;
  if (top + height > window.bottom) top = std::max(0, int(boxFrame.top) - height);
  const int left = std::max(0, std::min(int(boxFrame.left), int(window.right) - width));
  list_.SetBounds(left, top, width, height);
  SetWindowPos(list, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  list_.Show();
}

}  // namespace bus
