#include "app/SuggestionList.h"

#include <windowsx.h>

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TSuggestionList::StaticClassInfo() {
  static const TClassInfo info{"TSuggestionList", &TCustomListBox::StaticClassInfo(), {}, {}};
  return info;
}

TSuggestionList::TSuggestionList(TComponent* owner) : TCustomListBox(owner) {
  SetTabStop(false);
  SetVisible(false);
}

int TSuggestionList::ItemAt(POINT point) const {
  HWND h = HandleIfAllocated();
  if (!h) return -1;
  const LRESULT hit = SendMessageW(h, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
  return HIWORD(hit) == 0 ? int(LOWORD(hit)) : -1;
}

void TSuggestionList::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      WmLButtonDown(m);
      return;
    case WM_MOUSEMOVE:
      WmMouseMove(m);
      break;
    case WM_MOUSEACTIVATE:
      m.Result = MA_NOACTIVATE;
      return;
  }
  TCustomListBox::WndProc(m);
}

// Selects the line clicked and reports it; the native list never sees the click.
void TSuggestionList::WmLButtonDown(TMessage& m) {
  m.Result = 0;
  const int item = ItemAt({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
  if (item < 0) return;
  SetItemIndex(item);
  OnTake(this);
}

void TSuggestionList::ForgetMouse() {
  if (!GetCursorPos(&restingMouse_)) restingMouse_ = {-1, -1};
}

// A list shown or moved under the mouse gets a move without the mouse moving: that one chooses
// nothing.
void TSuggestionList::WmMouseMove(TMessage& m) {
  const POINT client{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  const POINT screen = ClientToScreen(client);
  if (screen.x == restingMouse_.x && screen.y == restingMouse_.y) return;
  restingMouse_ = {-1, -1};
  const int item = ItemAt(client);
  if (item >= 0 && item != ItemIndex()) SetItemIndex(item);
}

}  // namespace bus
