#include "framework/controls/Screen.h"

#include <algorithm>

#include "framework/controls/Form.h"

namespace bus {

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

TScreen::TScreen() = default;
TScreen::~TScreen() = default;

TCustomForm* TScreen::FindForm(HWND window) const noexcept {
  if (!window) return nullptr;
  for (TCustomForm* f : forms_)
    if (f->HandleIfAllocated() == window) return f;
  return nullptr;
}

void TScreen::AddForm(TCustomForm* form) {
  if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) noexcept {
  std::erase(forms_, form);
  if (activeForm_ == form) {
    activeForm_ = nullptr;
    activeControl_ = nullptr;
  }
}

void TScreen::ControlGoing(TControl* control) noexcept {
  if (activeControl_ == control) activeControl_ = nullptr;
  if (activeForm_ == control) activeForm_ = nullptr;
  for (TCustomForm* f : forms_) f->ControlGoing(control);
}

void TScreen::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  POINT p{};
  GetCursorPos(&p);
  ::SetCursor(Cursors(cursor == crDefault ? crArrow : cursor));
}

HCURSOR TScreen::Cursors(TCursor cursor) const {
  const wchar_t* id = IDC_ARROW;
  switch (cursor) {
    case crNone:
      return nullptr;
    case crCross:
      id = IDC_CROSS;
      break;
    case crIBeam:
      id = IDC_IBEAM;
      break;
    case crSizeNS:
    case crVSplit:
      id = IDC_SIZENS;
      break;
    case crSizeWE:
    case crHSplit:
      id = IDC_SIZEWE;
      break;
    case crHourGlass:
      id = IDC_WAIT;
      break;
    case crNo:
      id = IDC_NO;
      break;
    case crAppStart:
      id = IDC_APPSTARTING;
      break;
    case crHandPoint:
      id = IDC_HAND;
      break;
    case crSizeAll:
      id = IDC_SIZEALL;
      break;
    default:
      break;
  }
  return LoadCursorW(nullptr, id);
}

TFont& TScreen::MenuFont() {
  if (!menuFont_) {
    menuFont_ = std::make_unique<TFont>();
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
      menuFont_->SetHandle(CreateFontIndirectW(&ncm.lfMenuFont));
    menuFont_->SetColor(clMenuText);
  }
  return *menuFont_;
}

}  // namespace bus
