// Pop-up menus answered from inside a test: a thread timer (which the menu's own loop runs) presses
// keys in whatever menu is open, so a test never waits on a person.
#pragma once

#include <windows.h>

#include "tests/support/WindowTestSupport.h"

namespace bus::test {

// While it lives, an open menu gets downs presses of Down, then Enter, or Escape when downs is
// negative; a menu still open about 5 s after the answerer was made is ended.
class MenuAnswerer {
public:
  explicit MenuAnswerer(int downs);
  // How many times a menu was found open and answered.
  int MenusSeen() const noexcept { return menusSeen_; }

private:
  // Answers the menu that is open, if any.
  void AnswerOpenMenu();

  int downs_;           // Down presses before Enter; negative: Escape
  int menusSeen_ = 0;   // menu windows answered
  int ticks_ = 0;       // timer ticks so far
  ThreadTimer timer_;   // looks for the menu; made last, gone first
};

}  // namespace bus::test
