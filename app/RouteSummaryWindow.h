// A plain top-level window that shows its title and one line saying how many routes the opened
// database holds. It stands where the main search window will be, until that window is built from
// its form description; closing it ends the program.
#pragma once

#include <windows.h>

#include <string>

namespace bus::app {

class RouteSummaryWindow {
public:
  // Creates the window, hidden, with the stored caption.
  RouteSummaryWindow();
  ~RouteSummaryWindow();
  RouteSummaryWindow(const RouteSummaryWindow&) = delete;
  RouteSummaryWindow& operator=(const RouteSummaryWindow&) = delete;

  HWND handle() const noexcept { return hwnd_; }
  void setCaption(const std::string& caption);
  void setMessage(const std::string& message);
  void show();

private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT onPaint();

  HWND hwnd_ = nullptr;   // the window; destroyed with this object
  HFONT font_ = nullptr;  // message font, owned
  std::wstring message_;  // the line shown in the client area
};

}  // namespace bus::app
