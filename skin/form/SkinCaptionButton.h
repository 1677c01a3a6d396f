// TSkinCaptionButton: one caption button of a skinned window (close, maximise, restore, minimise,
// the system-menu icon, or a button of the skin's own with a custom action), described by one entry
// of the skin's SysButtons. The form object makes one per entry when it builds its frame, lays them
// out and draws them with the caption, finds them under the mouse and carries out their actions;
// the button itself only follows the mouse (TNCObject) and repaints itself in its state.
//
// The entry belongs to the skin data and is found by its place in SysButtons: when the skin data
// reads a new skin, the form object drops its buttons and makes new ones from the new skin, and a
// button never points at an entry that has gone.
#pragma once

#include <cstddef>

#include "skin/form/NCObject.h"

namespace bus {

class TDataSkinSysButton;

// Caption button actions of the skin (Action).
inline constexpr int kActionClose = 0;
inline constexpr int kActionMaximize = 1;
inline constexpr int kActionMinimize = 2;
inline constexpr int kActionSystemMenu = 3;
inline constexpr int kActionSystemMenu2 = 11;
inline constexpr int kActionSystemMenu3 = 12;
inline constexpr int kActionMaximize2 = 22;
inline constexpr int kActionMinimize2 = 23;
// Visibility of the window-control buttons shown in the menu bar of an MDI frame.
inline constexpr int kVisibilityMenuBar = 100;

class TSkinCaptionButton final : public TNCObject {
public:
  // The button of entry `index` of the form's skin's SysButtons.
  TSkinCaptionButton(TSkinForm& form, std::size_t index) noexcept : TNCObject(form), index_(index) {}

  // Its entry of the skin's SysButtons (while the form's buttons are the skin's: CaptionButtons).
  const TDataSkinSysButton& SkinButton() const;
  std::size_t Index() const noexcept { return index_; }
  // The button shows the window's icon rather than a frame of its image.
  bool ShowsIcon() const noexcept;
  // A press runs an action; buttons with a negative Action are decoration.
  bool Clickable() const noexcept;
  // Repaints the button in its state on the window.
  void Paint() override;

private:
  std::size_t index_;  // place of the entry in the skin's SysButtons
};

}  // namespace bus
