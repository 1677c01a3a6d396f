// Group boxes: containers with an etched frame (a plain one when flat) and a caption in the frame's
// top edge.
#pragma once

#include "framework/controls/CustomControl.h"

namespace bus {

class TCustomGroupBox : public TCustomControl {
  BUS_CLASS(TCustomGroupBox)
public:
  explicit TCustomGroupBox(TComponent* owner);

protected:
  void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
  BUS_CLASS(TGroupBox)
public:
  using TCustomGroupBox::TCustomGroupBox;
};

}  // namespace bus
