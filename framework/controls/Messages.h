// Messages as the widget layer passes them: one record per message, a replaceable handler
// (TWndMethod) per control, and the layer's own notification numbers.
//
// The layer's notifications travel through Perform, that is through a control's WindowProc only,
// never through window procedures; a window-procedure subclass does not see them unless someone
// sends them to the window as real messages (which also reach WindowProc).
#pragma once

#include <windows.h>

#include <functional>

namespace bus {

// A message: number, parameters and the result its handler leaves.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// A message handler: a control's WindowProc, or what replaced it.
using TWndMethod = std::function<void(TMessage&)>;

// Notifications of the layer (0xB000 range). Sent with Perform unless noted.
inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_DIALOGKEY = 0xB005;           // wParam: key; non-zero result: handled (forms)
inline constexpr UINT CM_DIALOGCHAR = 0xB006;          // wParam: character; non-zero result: handled (forms)
inline constexpr UINT CM_FOCUSCHANGED = 0xB007;        // lParam: the newly focused control (forms)
inline constexpr UINT CM_PARENTFONTCHANGED = 0xB008;   // the parent's font changed
inline constexpr UINT CM_PARENTCOLORCHANGED = 0xB009;  // the parent's colour changed
inline constexpr UINT CM_VISIBLECHANGED = 0xB00B;      // wParam: the new Visible
inline constexpr UINT CM_ENABLEDCHANGED = 0xB00C;      // Enabled changed
inline constexpr UINT CM_COLORCHANGED = 0xB00D;        // Color changed
inline constexpr UINT CM_FONTCHANGED = 0xB00E;         // Font changed
inline constexpr UINT CM_PARENTCTL3DCHANGED = 0xB010;  // the parent's 3-D look changed
inline constexpr UINT CM_TEXTCHANGED = 0xB012;         // Caption/Text changed
inline constexpr UINT CM_MOUSEENTER = 0xB013;          // the mouse came over the control
inline constexpr UINT CM_MOUSELEAVE = 0xB014;          // the mouse left the control
inline constexpr UINT CM_MENUCHANGED = 0xB015;         // sent (SendMessage) to a form window: its menu changed
inline constexpr UINT CM_ENTER = 0xB01A;               // the control became the form's focused control
inline constexpr UINT CM_EXIT = 0xB01B;                // the control stopped being the focused control
inline constexpr UINT CM_RELEASE = 0xB021;             // posted to a form by Release(): free it

// Child notifications reflected back to the child's object: CN_BASE + the original number.
inline constexpr UINT CN_BASE = 0xBC00;
inline constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;                // 0xBD11
inline constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;                  // 0xBC4E
inline constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;              // 0xBC2B
inline constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;                // 0xBD14
inline constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;                // 0xBD15
inline constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;      // 0xBD33
inline constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;  // 0xBD34
inline constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;        // 0xBD35
inline constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;  // 0xBD37
inline constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;  // 0xBD38

}  // namespace bus
