#include "grid/HeaderDragFeedback.h"

namespace bus {

namespace {

const wchar_t kClassName[] = L"BusSearch.GridDragFeedback";

// What one feedback window paints: a bitmap, or a solid colour inside its window region.
struct WindowContent {
  HBITMAP bitmap = nullptr;
  COLORREF color = 0;
};

LRESULT CALLBACK FeedbackProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* content = reinterpret_cast<WindowContent*>(GetWindowLongPtrW(h, GWLP_USERDATA));
  switch (msg) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      HDC dc = BeginPaint(h, &ps);
      RECT r{};
      GetClientRect(h, &r);
      if (content && content->bitmap) {
        MemoryDC mem(dc);
        DcSelection select(mem.Get(), content->bitmap);
        BitBlt(dc, 0, 0, r.right, r.bottom, mem.Get(), 0, 0, SRCCOPY);
      } else if (content) {
        GdiObject<HBRUSH> brush(CreateSolidBrush(content->color));
        FillRect(dc, &r, brush.Get());
      }
      EndPaint(h, &ps);
      return 0;
    }
    case WM_NCDESTROY:
      delete content;
      SetWindowLongPtrW(h, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(h, msg, wParam, lParam);
}

void RegisterFeedbackClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW wc{sizeof wc};
  wc.lpfnWndProc = FeedbackProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
  registered = true;
}

void SetContent(HWND h, HBITMAP bitmap, COLORREF color) {
  if (h) SetWindowLongPtrW(h, GWLP_USERDATA, LONG_PTR(new WindowContent{bitmap, color}));
}

}  // namespace

TrgHeaderDragFeedback::TrgHeaderDragFeedback(HBITMAP image, SIZE size, POINT hotspot, COLORREF arrowColor)
    : image_(image), size_(size), hotspot_(hotspot), arrowColor_(arrowColor) {
  RegisterFeedbackClass();
  imageWindow_ = MakeWindow(size.cx, size.cy, true);
  SetContent(imageWindow_, image_.Get(), 0);
  top_ = MakeWindow(kArrowWidth, kArrowHeight, false);
  bottom_ = MakeWindow(kArrowWidth, kArrowHeight, false);
  SetContent(top_, nullptr, arrowColor_);
  SetContent(bottom_, nullptr, arrowColor_);
  // the arrows: a triangle pointing down onto the header, and one pointing up from below it
  const POINT down[] = {{0, 0}, {kArrowWidth, 0}, {kArrowWidth / 2 + 1, kArrowHeight}, {kArrowWidth / 2, kArrowHeight}};
  const POINT up[] = {{kArrowWidth / 2, 0}, {kArrowWidth / 2 + 1, 0}, {kArrowWidth, kArrowHeight}, {0, kArrowHeight}};
  if (top_) SetWindowRgn(top_, CreatePolygonRgn(down, 4, WINDING), FALSE);  // the window owns the region
  if (bottom_) SetWindowRgn(bottom_, CreatePolygonRgn(up, 4, WINDING), FALSE);
}

TrgHeaderDragFeedback::~TrgHeaderDragFeedback() {
  for (HWND h : {imageWindow_, top_, bottom_})
    if (h) DestroyWindow(h);
}

HWND TrgHeaderDragFeedback::MakeWindow(int width, int height, bool layered) {
  const DWORD ex = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT | (layered ? WS_EX_LAYERED : 0);
  HWND h = CreateWindowExW(ex, kClassName, L"", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  if (h && layered) SetLayeredWindowAttributes(h, 0, 160, LWA_ALPHA);
  return h;
}

void TrgHeaderDragFeedback::MoveImage(POINT p) {
  if (!imageWindow_) return;
  SetWindowPos(imageWindow_, HWND_TOPMOST, p.x - hotspot_.x, p.y - hotspot_.y, size_.cx, size_.cy,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TrgHeaderDragFeedback::ShowArrows(int boundary, int headerTop, int headerBottom) {
  const int left = boundary - kArrowWidth / 2;
  if (top_)
    SetWindowPos(top_, HWND_TOPMOST, left, headerTop - kArrowHeight, kArrowWidth, kArrowHeight,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (bottom_)
    SetWindowPos(bottom_, HWND_TOPMOST, left, headerBottom, kArrowWidth, kArrowHeight, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  arrowsShown_ = true;
}

void TrgHeaderDragFeedback::HideArrows() {
  if (!arrowsShown_) return;
  for (HWND h : {top_, bottom_})
    if (h) ShowWindow(h, SW_HIDE);
  arrowsShown_ = false;
}

}  // namespace bus
