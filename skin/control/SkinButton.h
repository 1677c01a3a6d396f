// TSkinButton: the wrapper of push buttons: the buttons of forms and the push buttons of message
// boxes and dialogs. It paints the whole button from the skin's Buttons strip (normal, pressed,
// disabled, hot or focused, default), composed off screen and copied in one transfer, with the
// caption centred over it; the button's own painting never reaches the screen.
//
// The mouse: a left press focuses the button, draws it pressed and takes the capture; the button's
// own processing never sees the press. Releasing it over the button clicks once: a control object's
// Click, or for a bare window a posted WM_COMMAND (BN_CLICKED) to its parent, as the button itself
// would. Leaving the button (0xB014) while pressed cancels the click. The keyboard stays the
// button's own (Space clicks through the button's processing); the wrapper only draws it pressed.
//
// Hot: the mouse over a button draws it hot, and the form object's HotButton names it; a button
// that becomes hot first tells the previous hot button that the mouse left, so at most one button
// per form is drawn hot. A control object hears each of its mouse-leave notifications once, after
// its mouse-enter, as without the skin: leaves that the skin sends while the pointer is still over
// the control (for the form's hot-button bookkeeping) stay with the wrapper.
//
// The platform's button paints outside WM_PAINT (focus, state, enabling, text, keys); after each
// such message the wrapper paints the skin again at once, so the skin is what stays on the screen.
#pragma once

#include <memory>
#include <string>

#include "skin/control/SkinControl.h"
#include "skin/data/ButtonFrames.h"

namespace bus {

class TBitmap;
class TDataSkinButton;

class TSkinButton : public TSkinControl {
  BUS_CLASS(TSkinButton)
public:
  explicit TSkinButton(TComponent* owner);
  ~TSkinButton() override;

  bool BeforeDefault(TMessage& m) override;
  void AfterDefault(TMessage& m) override;
  // The Buttons frame of the button's state over the whole rectangle, the caption centred on it,
  // in the control's font (a bare window's WM_GETFONT font) and the state's text colour. Draws
  // nothing when the skin has no Buttons image.
  void PaintTo(HDC dc, const RECT& rect) override;

  // Draws text in the DC's font and text colour, transparent, in rect: horizontally by alignment
  // (DT_CENTER centres the text block, anything else spans rect), one pixel above the vertical
  // centre, word-wrapped, tabs expanded. Every "||" in text is a line break; the text so shown
  // becomes Caption().
  void DrawButtonCaption(HDC dc, const RECT& rect, UINT alignment, const std::wstring& text);

  // The off-screen bitmap each paint composes in.
  TBitmap& Buffer() noexcept { return *buffer_; }
  bool Hot() const noexcept { return (MouseState() & kMouseHot) != 0; }
  bool Pressed() const noexcept { return (MouseState() & kMousePressed) != 0; }

protected:
  // The caption as shown: every "||" a line break ("\r\n"); it becomes Caption().
  const std::wstring& ShowCaption(const std::wstring& text);
  // The skin's Buttons object when it has an image, else null.
  const TDataSkinButton* ButtonsSkin() const;
  // Enabled, focused and the wrapper's hot and pressed flags, as of now.
  TButtonLook Look() const;
  // The caption a control object's Caption property or a bare window's text gives.
  std::wstring CurrentCaption() const;
  // Text colour of a control object's caption for a Buttons frame: the skin's colour of that state
  // when the skin gives one, the system's button shadow when disabled, else fontColour.
  COLORREF ControlTextColour(const TDataSkinButton& buttons, int frame, COLORREF fontColour) const;
  // Paints the whole button now, over what the platform's button may have drawn.
  void PaintNow();
  void SetHot(bool on);
  void SetPressed(bool on);
  // The mouse is over the button (WM_MOUSEMOVE, 0xB013): hot, the form's hot button; the previous
  // hot button is told that the mouse left. A disabled button does not become hot.
  void BecomeHot();
  // The mouse left (0xB014): neither hot nor pressed, no longer the form's hot button.
  void MouseLeft();
  // Whether a mouse-leave notification reaches the control's own processing (see the header).
  bool ControlHearsLeave();
  // The button is enabled now (its window, or a window-less control's Enabled).
  virtual bool EnabledNow() const;
  // A mouse message's point (client coordinates in lParam) lies on the button.
  bool Inside(LPARAM at) const;

private:
  // Message handlers of AfterDefault.
  void WmLButtonDown(const TMessage& m);
  void WmLButtonUp(const TMessage& m);
  void WmCaptureChanged(const TMessage& m);
  void WmKey(const TMessage& m, bool down);
  void BmSetState(const TMessage& m);

  std::unique_ptr<TBitmap> buffer_;  // each paint composes here first
  bool controlInside_ = false;       // the control heard a mouse-enter and no leave since
};

// Tells a wrapper that the mouse left it (0xB014, wParam and lParam 0): sent to its window, or
// for a window-less control performed on the control.
void SendMouseLeave(TSkinControl& wrapper);

}  // namespace bus
