// What the user sees while dragging a column header: a semi-transparent copy of the header that
// follows the mouse, and a pair of arrows above and below the header strip marking where the
// column would go. Each is a small top-level window that takes no focus and lets the mouse pass;
// all of them go when the object goes.
#pragma once

#include <windows.h>

#include "framework/graphics/GdiHandles.h"

namespace bus {

class TrgHeaderDragFeedback {
public:
  // image: a copy of the header cell (adopted); hotspot: the mouse position inside it.
  TrgHeaderDragFeedback(HBITMAP image, SIZE size, POINT hotspot, COLORREF arrowColor);
  ~TrgHeaderDragFeedback();
  TrgHeaderDragFeedback(const TrgHeaderDragFeedback&) = delete;
  TrgHeaderDragFeedback& operator=(const TrgHeaderDragFeedback&) = delete;

  // Moves the image so that the hotspot lies at screen point p.
  void MoveImage(POINT p);
  // Shows the arrows at screen x boundary, above headerTop and below headerBottom (screen y).
  void ShowArrows(int boundary, int headerTop, int headerBottom);
  void HideArrows();
  bool ArrowsVisible() const noexcept { return arrowsShown_; }
  // The arrow windows (for tests): above and below.
  HWND TopArrow() const noexcept { return top_; }
  HWND BottomArrow() const noexcept { return bottom_; }

  static constexpr int kArrowWidth = 11;   // pixels
  static constexpr int kArrowHeight = 9;   // pixels

private:
  HWND MakeWindow(int width, int height, bool layered);

  GdiObject<HBITMAP> image_;  // header copy shown by the image window
  SIZE size_;                 // image size
  POINT hotspot_;             // mouse position inside the image
  COLORREF arrowColor_;       // fill of the arrows
  HWND imageWindow_ = nullptr;  // the dragged copy
  HWND top_ = nullptr;        // arrow above the header, pointing down
  HWND bottom_ = nullptr;     // arrow below the header, pointing up
  bool arrowsShown_ = false;  // the arrows are on screen
};

}  // namespace bus
