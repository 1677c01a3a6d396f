// Small value types shared by controls, data access and events.
#pragma once

#include "framework/Event.h"
#include "framework/Set.h"

namespace bus {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

enum class TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// (Sender, Key: virtual key code, Shift); setting Key to 0 stops the key's normal processing.
using TKeyEvent = TEvent<TObject*, unsigned short&, TShiftState>;
// (Sender, Key: the character); setting Key to 0 stops the character's normal processing.
using TKeyPressEvent = TEvent<TObject*, wchar_t&>;
// (Sender, Button, Shift, X, Y) in the control's client coordinates.
using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
// (Sender, Shift, X, Y)
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;

}  // namespace bus
