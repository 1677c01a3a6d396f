// Frames: reusable containers built from a description of their own. A frame class publishes its
// handlers and fields and reads its description in its constructor (Build); each frame placed on a
// form (by code or by the form's description, as an object of the frame's class) then holds its own
// children, owned by the frame, with their handlers bound to that frame. The form's description
// places and sizes the frame; the frame keeps the name of its place.
//
// This is the frame kind of the skin's control selection: TCustomFrame and every class derived
// from it.
#pragma once

#include <string_view>

#include "framework/controls/ScrollingWinControl.h"

namespace bus {

class TCustomFrame : public TScrollingWinControl {
  BUS_CLASS(TCustomFrame)
public:
  explicit TCustomFrame(TComponent* owner);

protected:
  // Reads the frame's own description into it (its root object must be of the frame's class).
  // Throws EDescriptionError for a description that cannot be read.
  void Build(std::string_view description);
};

class TFrame : public TCustomFrame {
  BUS_CLASS(TFrame)
public:
  using TCustomFrame::TCustomFrame;
};

}  // namespace bus
