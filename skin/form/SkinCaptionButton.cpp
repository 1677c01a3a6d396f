#include "skin/form/SkinCaptionButton.h"

#include <cassert>

#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"

namespace bus {

const TDataSkinSysButton& TSkinCaptionButton::SkinButton() const {
  const auto& entries = Form().SkinData()->SysButtons();
  assert(index_ < entries.size() && "a form drops its caption buttons when its skin has other entries");
  return *entries[index_];
}

bool TSkinCaptionButton::ShowsIcon() const noexcept {
  const int action = SkinButton().Action();
  return action == kActionSystemMenu || action == kActionSystemMenu2;
}

bool TSkinCaptionButton::Clickable() const noexcept { return SkinButton().Action() >= 0; }

void TSkinCaptionButton::Paint() { Form().DrawSysButton(*this, State()); }

}  // namespace bus
