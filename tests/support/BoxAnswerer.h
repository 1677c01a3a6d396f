// Message boxes answered from inside a test: a thread timer (which the boxes' own modal loop runs)
// finds each box of this thread, records what it shows and presses the answer it was given.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/WindowTestSupport.h"

namespace bus::test {

// A message box as it was shown.
struct SeenBox {
  std::string caption;
  std::string text;
  bool ok = false;      // has an OK button
  bool cancel = false;  // has a Cancel button
  int buttons = 0;      // buttons in all
};

// This thread's visible message boxes and other dialogs ("#32770" windows), top first.
std::vector<HWND> VisibleDialogs();
// The first of them, or null.
HWND FirstVisibleDialog();

// While it lives, answers every message box of this thread's windows: box i with answers[i], later
// boxes with the last answer (IDOK without answers). Answerers nest: the newest answers until it
// goes.
class BoxAnswerer {
public:
  explicit BoxAnswerer(std::vector<int> answers = {});
  // Answers only once ready() is true: a test looks at an open box (or changes things around it)
  // before the box goes.
  BoxAnswerer(std::vector<int> answers, std::function<bool()> ready);
  ~BoxAnswerer();
  // The boxes answered, in the order they came.
  const std::vector<SeenBox>& Seen() const noexcept { return seen_; }

private:
  // Answers the boxes not answered yet, when this is the newest answerer.
  void AnswerNewBoxes();

  std::vector<int> answers_;     // by box
  std::function<bool()> ready_;  // the boxes may be answered now
  std::vector<SeenBox> seen_;    // in the order they came
  std::vector<HWND> answered_;   // boxes told to close
  BoxAnswerer* outer_;           // the answerer before this one
  ThreadTimer timer_;            // looks for boxes; made last, gone first
};

}  // namespace bus::test
