// What a control wrapper needs of the form object whose window it lies on: the list that keeps
// every wrapper of that window, and the one button wrapper of that window drawn hot. The form
// skinning implements it; wrappers reach their form object only through it.
#pragma once

namespace bus {

class TSkinControl;

class TSkinWrapperHost {
public:
  // Adds a wrapper to the list. True when it was listed already (nothing changes then).
  virtual bool RegisterWrapper(TSkinControl* wrapper) = 0;
  // Takes a wrapper off the list (its last entry); nothing when it is not listed.
  virtual void UnregisterWrapper(TSkinControl* wrapper) noexcept = 0;

  // The button wrapper drawn hot on this window, or null: a button that becomes hot tells the
  // previous one that the mouse left (0xB014), so that at most one button per form looks hot. A
  // wrapper that leaves the list stops being the hot button.
  virtual TSkinControl* HotButton() const noexcept = 0;
  virtual void SetHotButton(TSkinControl* wrapper) noexcept = 0;

protected:
  ~TSkinWrapperHost() = default;
};

}  // namespace bus
