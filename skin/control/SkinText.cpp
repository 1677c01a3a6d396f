#include "skin/control/SkinText.h"

#include <algorithm>

#include "framework/graphics/Canvas.h"

namespace bus {

namespace {

// Transparent background, the font's plain style, grey when disabled.
void PrepareText(TCanvas& canvas, bool enabled) {
  canvas.Brush().SetStyle(bsClear);
  canvas.Font().SetStyle({});
  if (!enabled) canvas.Font().SetColor(clBtnShadow);
}

}  // namespace

void DrawStatusText(TCanvas& canvas, const RECT& rect, UINT alignment, bool enabled, std::string_view text) {
  PrepareText(canvas, enabled);
  const UINT format = alignment | DT_EXPANDTABS;
  RECT measured = rect;
  canvas.TextRect(measured, text, format | DT_CALCRECT | DT_NOCLIP);
  const int dy = (int(rect.bottom - rect.top) - int(measured.bottom - measured.top)) / 2 - 1;
  if (alignment & DT_CENTER) {
    OffsetRect(&measured, (int(rect.right - rect.left) - int(measured.right - measured.left)) / 2, dy);
  } else {
    OffsetRect(&measured, 0, dy);
    measured.left = rect.left;
    measured.right = rect.right;
  }
  canvas.TextRect(measured, text, format);
}

void DrawItemText(TCanvas& canvas, const RECT& rect, TItemAlignment alignment, std::string_view text, int imageIndex,
                  HIMAGELIST images, bool enabled) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  int cx = 0, cy = 0;
  const bool image = imageIndex != -1 && images && ImageList_GetIconSize(images, &cx, &cy) && cx < width;
  if (!image) cx = cy = 0;
  constexpr UINT kFormat = DT_SINGLELINE | DT_EXPANDTABS | DT_END_ELLIPSIS;
  if (!text.empty()) PrepareText(canvas, enabled);
  // measured in the room beside the image: the ellipsis only where the text does not fit there
  RECT box{rect.left, rect.top, rect.right - (image ? cx + 2 : 0), rect.bottom};
  if (text.empty()) box = {rect.left, rect.top, rect.left, rect.top};
  else canvas.TextRect(box, text, kFormat | DT_CALCRECT | DT_NOCLIP);
  const int textWidth = box.right - box.left, textHeight = box.bottom - box.top;
  int dx = 2;
  if (alignment == TItemAlignment::Centre) dx = (width - cx - textWidth) / 2;
  else if (alignment == TItemAlignment::Right) dx = width - cx - textWidth - 2;
  dx = std::max(dx, 2);
  if (image)
    ImageList_Draw(images, imageIndex, canvas.Handle(), rect.left + dx, rect.top + (height - cy) / 2, ILD_TRANSPARENT);
  if (text.empty()) return;
  OffsetRect(&box, dx + cx + 1, (height - textHeight) / 2);
  box.left = std::max(box.left, rect.left);
  box.right = std::min(box.right, rect.right);
  canvas.TextRect(box, text, kFormat);
}

void UseWindowFont(TCanvas& canvas, HWND window) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  LOGFONTW description{};
  if (!font || GetObjectW(font, sizeof description, &description) != int(sizeof description)) return;
  canvas.Font().SetHandle(CreateFontIndirectW(&description));
}

}  // namespace bus
