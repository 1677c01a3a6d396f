#include "skin/form/MenuBtn.h"

#include <cwctype>

#include "skin/form/SkinMenuBar.h"

namespace bus {

TMenuBtn::TMenuBtn(TSkinForm& form, TSkinMenuBar& bar, int index) noexcept : TNCObject(form), bar_(bar), index_(index) {}

wchar_t TMenuBtn::Accelerator() const noexcept {
  for (std::size_t i = 0; i + 1 < caption_.size(); ++i) {
    if (caption_[i] != L'&') continue;
    if (caption_[i + 1] != L'&') return wchar_t(std::towlower(caption_[i + 1]));
    ++i;  // "&&" is an ampersand shown as such
  }
  return 0;
}

void TMenuBtn::Paint() { bar_.PaintItem(*this); }

}  // namespace bus
