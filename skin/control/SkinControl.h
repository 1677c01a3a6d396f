// TSkinControl: the base of every control wrapper. A wrapper takes over one control's messages and
// paints the control, or parts of it, from the skin; the form skinning picks the wrapper class,
// creates it and attaches it once, in one of three ways:
// - AttachControl: a control object of the widget layer that has a window; the wrapper hooks the
//   control's replaceable message handler (WindowProc);
// - AttachWindow: a window without a control object (the children of message boxes and dialogs);
//   the wrapper subclasses the window;
// - AttachGraphic: a window-less control object (speed buttons); the wrapper hooks its handler.
//
// Message flow (WndProc): while the wrapper is active every message goes to BeforeDefault; when that
// answers true the control's normal processing runs (CallDefault), then AfterDefault. Message 0x3506
// switches a wrapper off (wParam 0: the control then looks and behaves as without skin) and on
// again (wParam > 0, which also repaints). WM_NCDESTROY detaches the wrapper and sets Status 6.
//
// A wrapper is owned by its control (or, for a bare window, by the form object) and goes with it;
// its destructor takes its hooks off (leaving a pass-through when other code hooked the control
// after it) and leaves the form object's list. The base paints nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "core/CallCounter.h"
#include "framework/Component.h"
#include "framework/controls/Messages.h"
#include "framework/graphics/Color.h"

namespace bus {

class TBitmap;
class TCanvas;
class TControl;
class TControlMessageHook;
class TGraphicControl;
class TSkinData;
class TSkinWrapperHost;
class TWinControl;
class TWindowSubclass;

// Sent to a skinned window: wParam > 0 switches its wrapper on, 0 off.
inline constexpr UINT kSkinMsgSwitch = 0x3506;

// Status of a wrapper.
inline constexpr int kWrapperNew = 0;       // constructed (some attach operations leave it so)
inline constexpr int kWrapperAttached = 1;  // attached
inline constexpr int kWrapperReleased = 2;  // given up by its kind (panels after Detach)
inline constexpr int kWrapperGone = 6;      // its window was destroyed

// MouseState bits.
inline constexpr std::uint8_t kMouseHot = 1;      // the mouse is over the control
inline constexpr std::uint8_t kMousePressed = 2;  // a mouse button is down on it

class TSkinControl : public TComponent {
  BUS_CLASS(TSkinControl)
public:
  explicit TSkinControl(TComponent* owner);
  ~TSkinControl() override;

  // --- Attaching (one of them, once) ----------------------------------------------------
  // Attaches to the owner, a windowed control (its window is created if needed): hooks its
  // WindowProc, switches its double buffering on, registers with form and, with recolour, gives
  // the control the skin's ButtonFace. A second call does nothing.
  virtual void AttachControl(TSkinWrapperHost* form, TSkinData* skin, bool recolour, TCanvas* canvas);
  // Attaches to a window that has no control object: subclasses it and registers with form.
  virtual void AttachWindow(HWND handle, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas);
  // Undoes on the control what attaching changed (its colour), before the form object drops the
  // wrapper; the hooks come off when the wrapper is freed.
  virtual void Detach();

  // --- Message flow and painting ----------------------------------------------------------
  // Sees a message before the control's normal processing; false when that is not to run (the
  // result, where one is needed, set). The base detaches on WM_NCDESTROY.
  virtual bool BeforeDefault(TMessage& m);
  // Sees a message after the normal processing. The base repaints on focus, enabling and text
  // changes, paints the skin over WM_PAINT and follows 0x3506.
  virtual void AfterDefault(TMessage& m);
  // Paints the whole window now, on dc or (null) on the window's own device context.
  virtual void PaintWindow(HDC dc);
  // Draws the skin into dc; rect is the window rectangle moved to the origin. The base draws nothing.
  virtual void PaintTo(HDC dc, const RECT& rect);
  // Re-applies a newly loaded skin: the colour of a recoloured control, then a repaint.
  virtual void SkinChanged();

  // The message entry: replaces the control's handler or the window's procedure.
  void WndProc(TMessage& m);
  // The control's normal processing (the handler or procedure the wrapper replaced).
  void CallDefault(TMessage& m);
  // Schedules a full repaint (of the frame too, for a kind that paints over it).
  void Repaint();
  // Answers WM_PAINT completely through PaintTo.
  void PaintFromMessage(TMessage& m);
  // Answers WM_PAINT with the control's normal painting and PaintTo drawn over it, both composed in
  // an off-screen bitmap of the window's size that reaches the window in one transfer, so the
  // control's own look never shows on its way to the skin's. The normal painting is asked for as
  // WM_ERASEBKGND and WM_PRINTCLIENT on the off-screen DC (which every kind we skin answers);
  // without an off-screen bitmap the message gets its normal processing alone. Visible child
  // windows keep their own pixels: the copy goes around them.
  void PaintOverDefault(TMessage& m);
  // For a wrapper that paints the whole window: answers WM_PAINT through PaintFromMessage (or, with
  // overDefault, PaintOverDefault) and WM_ERASEBKGND without erasing, the background being part of
  // the picture. True when m was one of them: its normal processing is not to run then.
  bool AnswerPaint(TMessage& m, bool overDefault = false);
  // Answers WM_NCPAINT for a kind whose PaintTo draws the control's border over its frame: the
  // frame's outer `band` pixels (at most as many as its narrowest side has) show PaintTo's picture,
  // composed off screen and copied in one transfer, and the stock border under them is never drawn;
  // the rest of a wider frame (scroll bars) gets its normal painting first. A control without a
  // frame gets its normal painting alone.
  void PaintFrameOverDefault(TMessage& m, int band);
  void FillFace(HDC dc, const RECT& rect) const;
  // Fills with the parent control's colour, ButtonFace when there is none.
  void FillParentColor(HDC dc, const RECT& rect) const;
  // The Color of the parent of the control (or of the control that owns a wrapper attached to its
  // window) when both exist, else fallback.
  TColor ParentColor(TColor fallback) const;

  // Frees the wrapper now, or, while it is handling a message, takes its hooks off and frees it
  // when that message is done. For the form object, which has already taken it off its list.
  void Dispose() noexcept;

  // --- State ------------------------------------------------------------------------------
  int Status() const noexcept { return status_; }
  bool Active() const noexcept { return active_; }
  bool Attached() const noexcept { return attached_; }
  HWND Handle() const noexcept { return handle_; }
  TWinControl* Control() const noexcept { return control_; }
  TGraphicControl* GraphicControl() const noexcept { return graphicControl_; }
  TSkinWrapperHost* Form() const noexcept { return form_; }
  TSkinData* SkinData() const noexcept { return skinData_; }
  TCanvas* Canvas() const noexcept { return canvas_; }
  bool Recolour() const noexcept { return recolour_; }
  void SetRecolour(bool v) noexcept { recolour_ = v; }
  const std::wstring& Caption() const noexcept { return caption_; }
  bool Enabled() const noexcept { return enabled_; }
  bool Focused() const noexcept { return focused_; }
  std::uint8_t MouseState() const noexcept { return mouseState_; }
  const RECT& WindowRect() const noexcept { return windowRect_; }

protected:
  // Attaches to the owner, a window-less control: hooks its handler and registers; no window, no
  // recolouring.
  void AttachGraphic(TSkinWrapperHost* form, TSkinData* skin, TCanvas* canvas);
  // The common steps of the attach operations of the scroll bar kinds and of kinds that leave the
  // control's handler alone: stores skin, form and control (its window, created if needed),
  // registers, and with hook replaces the control's handler.
  void Bind(TWinControl& control, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas, bool hook);
  // Registers with form; false when form had it listed already.
  bool Register(TSkinWrapperHost* form);
  // Replaces the handler of control with WndProc.
  void HookControl(TControl& control);
  void SetStatus(int status) noexcept { status_ = status; }
  void SetAttached(bool v) noexcept { attached_ = v; }
  void SetMouseState(std::uint8_t v) noexcept { mouseState_ = v; }
  // Whether the kind paints over the control's frame (PaintFrameOverDefault): a repaint then
  // includes the frame.
  virtual bool PaintsFrame() const noexcept { return false; }
  // The text a kind shows, when it differs from the window's (a caption with its line breaks).
  void SetCaption(std::wstring text) { caption_ = std::move(text); }
  // Takes the wrapper's handler off the control (or its procedure off the window) now; the wrapper
  // then sees no further message.
  void RemoveHooks() noexcept;

private:
  // The window rectangle moved to the origin, for PaintTo; keeps it (in screen coordinates) in
  // WindowRect and reads Enabled afresh. False when the window has no rectangle.
  bool PaintRect(RECT& rect);
  void LeaveForm() noexcept;

  std::uint8_t mouseState_ = 0;            // kMouseHot, kMousePressed
  TCanvas* canvas_ = nullptr;              // the form object's shared wrapper canvas, not owned
  bool enabled_ = false;                   // WS_DISABLED clear at attaching or the last paint
  bool focused_ = false;                   // the window had the focus at attaching
  std::wstring caption_;                   // the window text last read
  std::unique_ptr<TWindowSubclass> windowHook_;  // our procedure on a bare window (with the one it replaced)
  bool active_ = true;                     // skinning of this window is on
  TSkinData* skinData_ = nullptr;          // the skin drawn, not owned
  HWND handle_ = nullptr;                  // the skinned window; null for a window-less control
  std::unique_ptr<TControlMessageHook> controlHook_;  // our handler on the control (with the one it replaced)
  TWinControl* control_ = nullptr;         // the windowed control skinned; null for bare windows
  RECT windowRect_{};                      // window rectangle at the last paint, screen coordinates
  TGraphicControl* graphicControl_ = nullptr;  // the window-less control skinned
  bool recolour_ = false;                  // the control's Color is ButtonFace while attached
  TColor oldColor_ = clNone;               // the control's Color before attaching
  bool oldParentColor_ = false;            // ... and whether it followed its parent's
  bool oldDoubleBuffered_ = false;         // the control's double buffering before attaching
  bool attached_ = false;                  // an attach operation has run
  int status_ = kWrapperNew;               // kWrapper...
  TSkinWrapperHost* form_ = nullptr;       // whose list holds the wrapper, not owned
  TCallCounter calls_;                     // WndProc calls running; Dispose waits for them
};

// The window text as wide text.
std::wstring GetWindowTextWide(HWND window);
// Draws text with DrawText flags format; with DT_CALCRECT, rect receives the measured size.
int DrawTextWide(HDC dc, const std::wstring& text, RECT& rect, UINT format);
// The off-screen bitmap painting code shares (stretch mode COLORONCOLOR); resized as needed.
TBitmap& ScratchBitmap();

}  // namespace bus
