// TSuggestionList: the list of suggested names that opens under a box while the user types in it.
// It never takes the focus, so typing goes on in the box: a click on a line selects it and fires
// OnTake (the list does not give the mouse to the native list, which would focus itself), and the
// mouse moving over the lines selects the line under it. A list that opens under a resting mouse
// selects nothing until the mouse really moves: otherwise Enter would take a line nobody chose.
// It takes no part in Tab navigation.
//
// A list box like any other to the skin's control selection (a TCustomListBox), so the skin paints
// it as it paints the program's other lists.
#pragma once

#include "framework/controls/ListBox.h"

namespace bus {

class TSuggestionList : public TCustomListBox {
  BUS_CLASS(TSuggestionList)
public:
  explicit TSuggestionList(TComponent* owner);

  // The line under a client point, or -1.
  int ItemAt(POINT point) const;
  // The mouse, where it is now, has chosen nothing: call when the list opens or changes.
  void ForgetMouse();

  TNotifyEvent OnTake;  // a line was clicked; ItemIndex is that line

  void WndProc(TMessage& message) override;

private:
  void WmLButtonDown(TMessage& m);
  void WmMouseMove(TMessage& m);

  POINT restingMouse_{-1, -1};  // screen point where the mouse last was when it chose nothing
};

}  // namespace bus
