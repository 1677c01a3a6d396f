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

  HWND Handle() const noexcept { return hwnd_; }
  void SetCaption(const std::string& caption);
  void SetMessage(const std::string& message);
  void Show();

private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnPaint();

  HWND hwnd_ = nullptr;   // the window; destroyed with this object
  HFONT font_ = nullptr;  // message font, owned
  std::wstring message_;  // the line shown in the client area
};

}  // namespace bus::app
