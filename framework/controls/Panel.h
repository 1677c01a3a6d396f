// Panels: containers that paint their background, optional bevels and a caption (centred by
// default). Their 3-D setting passes to their children (flat panels give edits a one-pixel border).
#pragma once

#include "framework/Types.h"
#include "framework/controls/CustomControl.h"

namespace bus {

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
  BUS_CLASS(TCustomPanel)
public:
  explicit TCustomPanel(TComponent* owner);
  TBevelCut BevelOuter() const noexcept { return bevelOuter_; }
  void SetBevelOuter(TBevelCut v);
  TBevelCut BevelInner() const noexcept { return bevelInner_; }
  void SetBevelInner(TBevelCut v);
  int BevelWidth() const noexcept { return bevelWidth_; }
  void SetBevelWidth(int v);
  TAlignment Alignment() const noexcept { return alignment_; }
  void SetAlignment(TAlignment v);

protected:
  void Paint() override;

private:
  TBevelCut bevelOuter_ = TBevelCut::bvRaised;  // outer edge
  TBevelCut bevelInner_ = TBevelCut::bvNone;    // inner edge
  int bevelWidth_ = 1;                          // edge width
  TAlignment alignment_ = TAlignment::taCenter;  // caption placement
};

class TPanel : public TCustomPanel {
  BUS_CLASS(TPanel)
public:
  using TCustomPanel::TCustomPanel;
};

}  // namespace bus
