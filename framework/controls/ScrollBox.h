// Scroll boxes: a bordered container that scrolls its children (see TScrollingWinControl).
//
// This is the scroll box kind of the skin's control selection: TScrollBox and every class derived
// from it.
#pragma once

#include "framework/controls/ScrollingWinControl.h"

namespace bus {

enum class TBorderStyle { bsNone, bsSingle };

class TScrollBox : public TScrollingWinControl {
  BUS_CLASS(TScrollBox)
public:
  explicit TScrollBox(TComponent* owner);
  // Set before the window is made (a later change makes the window again).
  TBorderStyle BorderStyle() const noexcept { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);

protected:
  void CreateParams(TCreateParams& params) override;

private:
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;  // sunken frame (flat parents: a line)
};

}  // namespace bus
