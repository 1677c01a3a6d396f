// TControl: what every control has, windowed or not: bounds in its parent's client coordinates,
// visibility, enabled state, colour and font (optionally the parent's), caption, alignment and
// anchors, cursor, mouse events, and the replaceable message handler.
//
// Messages: every message for the control (window messages and the layer's notifications alike)
// goes to WindowProc. Its default is the virtual WndProc, which does the layer's work (events,
// routing, bookkeeping) and ends in DefaultHandler (the window's default procedure for windowed
// controls, nothing for window-less ones). A wrapper replaces WindowProc, keeps the old value and
// calls it for the control's normal processing; it puts it back when it goes.
//
// Not built yet (published and stored, they change nothing): Hint (no tooltip is shown), PopupMenu
// (the menu is not popped up on a right click).
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Types.h"
#include "framework/controls/Messages.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"

namespace bus {

class TWinControl;
class TPopupMenu;
class TCustomForm;

using TFontStyleSet = TSet<TFontStyle>;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

// Cursor identifiers; Screen maps them to platform cursors.
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

class EInvalidOperation : public Exception {
public:
  using Exception::Exception;
};

class TControl : public TComponent {
  BUS_CLASS(TControl)
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  // --- Parent and geometry -------------------------------------------------------------
  TWinControl* Parent() const noexcept { return parent_; }
  // Moves the control into parent's list (last, so on top); null takes it out.
  virtual void SetParent(TWinControl* parent);
  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;
  // The form the control lies on, or null.
  TCustomForm* ParentForm() const;

  int Left() const noexcept { return left_; }
  int Top() const noexcept { return top_; }
  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  // Moves and sizes in the parent's client coordinates (forms: the screen). Never changes z-order.
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const noexcept { return {left_, top_, left_ + width_, top_ + height_}; }
  // (0, 0, client width, client height); window-less controls: (0, 0, Width, Height).
  virtual RECT ClientRect() const;
  int ClientWidth() const { return ClientRect().right; }
  int ClientHeight() const { return ClientRect().bottom; }
  void SetClientWidth(int w) { SetClientSize(w, ClientHeight()); }
  void SetClientHeight(int h) { SetClientSize(ClientWidth(), h); }
  virtual void SetClientSize(int width, int height);
  // The screen position of the client area's top-left corner.
  virtual POINT ClientOrigin() const;
  POINT ClientToScreen(POINT p) const;
  POINT ScreenToClient(POINT p) const;

  TAlign Align() const noexcept { return align_; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const noexcept { return anchors_; }
  void SetAnchors(TAnchors anchors);

  // --- State ---------------------------------------------------------------------------
  bool Visible() const noexcept { return visible_; }
  // Sends CM_VISIBLECHANGED (wParam: the new value) when it changes.
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so is every parent up to the form.
  bool Showing() const;
  bool Enabled() const noexcept { return enabled_; }
  // Sends CM_ENABLEDCHANGED when it changes.
  void SetEnabled(bool enabled);

  TColor Color() const noexcept { return color_; }
  // An explicit colour clears ParentColor; children that use ParentColor follow at once.
  void SetColor(TColor color);
  bool ParentColor() const noexcept { return parentColor_; }
  void SetParentColor(bool v);
  TFont* Font() const noexcept { return font_.get(); }
  void SetFont(const TFont& font) { font_->Assign(font); }
  bool ParentFont() const noexcept { return parentFont_; }
  void SetParentFont(bool v);

  // Caption and Text are the same text: a windowed control's window text (UTF-8).
  std::string Caption() const { return GetText(); }
  void SetCaption(const std::string& text) { SetText(text); }
  std::string Text() const { return GetText(); }
  void SetText(const std::string& text);

  TCursor Cursor() const noexcept { return cursor_; }
  void SetCursor(TCursor cursor);
  TPopupMenu* PopupMenu() const noexcept { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);
  const std::string& Hint() const noexcept { return hint_; }
  void SetHint(const std::string& h) { hint_ = h; }

  // --- Messages ------------------------------------------------------------------------
  const TWndMethod& WindowProc() const noexcept { return windowProc_; }
  // Replaces the message handler; an empty handler restores the default (WndProc).
  void SetWindowProc(TWndMethod handler);
  // Passes a message through WindowProc only and returns its result.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // The control's own processing (the default WindowProc).
  virtual void WndProc(TMessage& message);
  // The end of the chain: the window's default procedure; window-less controls do nothing.
  virtual void DefaultHandler(TMessage& message) {}

  // --- Painting and actions ------------------------------------------------------------
  // Schedules a repaint; never creates a window.
  virtual void Invalidate();
  // Paints now.
  virtual void Update() {}
  void Repaint();
  // Performs the control's click action and fires OnClick.
  virtual void Click();
  // True for controls without a window of their own.
  virtual bool IsWindowless() const { return true; }

  TNotifyEvent OnClick;             // published
  TNotifyEvent OnDblClick;          // published
  TMouseEvent OnMouseDown;          // published
  TMouseEvent OnMouseUp;            // published
  TMouseMoveEvent OnMouseMove;      // published
  TNotifyEvent OnMouseEnter;        // published: after CM_MOUSEENTER
  TNotifyEvent OnMouseLeave;        // published: after CM_MOUSELEAVE

protected:
  void Loaded() override;
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;

  // The font's settings, published as Font.Name, Font.Height ... for form descriptions.
  std::string FontName() const;
  void SetFontName(const std::string& v);
  int FontHeight() const;
  void SetFontHeight(int v);
  int FontSize() const;
  void SetFontSize(int v);
  TColor FontColor() const;
  void SetFontColor(TColor v);
  TFontStyleSet FontStyle() const;
  void SetFontStyle(TFontStyleSet v);
  int FontCharset() const;
  void SetFontCharset(int v);

  virtual std::string GetText() const { return text_; }
  // Stores the text (windowed controls also set the window text).
  virtual void StoreText(const std::string& text) { text_ = text; }
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void DblClick();
  // Reacts to a change of the control's own font or colour (repaint by default).
  virtual void FontChanged();
  virtual void ColorChanged();
  // The client size the control's anchors are measured against (its parent's client size).
  SIZE ParentClientSize() const;
  // Records the current bounds as the design position the anchors start from.
  void UpdateAnchorBase();
  // Applies the anchors to a new parent client size (used by the parent's alignment).
  void ApplyAnchors(SIZE parentSize);
  // Asks the parent to arrange its aligned and anchored children again.
  void RequestAlign();
  void SetBoundsInternal(int left, int top, int width, int height);

  bool clickOnMouseUp_ = true;  // a left press and release inside fire Click (native buttons: no)
  bool captureOnPress_ = true;  // a left press takes the mouse capture until release
  std::string text_;            // caption; windowed controls read their window instead

private:
  friend class TWinControl;
  // Message handlers of WndProc.
  void WmLButtonDown(TMessage& m);
  void WmLButtonUp(TMessage& m);
  void WmButtonDown(TMessage& m, TMouseButton button);
  void WmButtonUp(TMessage& m, TMouseButton button);
  void CmMouseLeave();
  void ParentFontChanged();
  void ParentColorChanged();
  void ReleaseFromParent();

  TWinControl* parent_ = nullptr;  // container; null: none (or a form's owner window)
  int left_ = 0, top_ = 0;         // position in the parent's client area
  int width_ = 0, height_ = 0;     // size
  TAlign align_ = TAlign::alNone;  // docking inside the parent
  TAnchors anchors_{TAnchorKind::akLeft, TAnchorKind::akTop};  // edges followed
  RECT anchorBase_{};              // design bounds the anchors start from
  SIZE anchorParent_{};            // parent client size when anchorBase_ was taken
  bool anchorValid_ = false;       // anchorBase_ holds a design position
  bool visible_ = true;            // Visible
  bool enabled_ = true;            // Enabled
  TColor color_ = clBtnFace;       // background colour
  bool parentColor_ = true;        // Color follows the parent's
  std::unique_ptr<TFont> font_;    // text font
  bool parentFont_ = true;         // Font follows the parent's
  bool applyingParent_ = false;    // a parent value is being copied in (keeps Parent* flags)
  TCursor cursor_ = crDefault;     // mouse cursor over the control
  TPopupMenu* popupMenu_ = nullptr;  // context menu reference (not shown automatically)
  std::string hint_;               // tooltip text (stored only)
  TWndMethod windowProc_;          // the replaceable message handler
  bool clicked_ = false;           // a left press began inside (for the click on release)
};

// The framework control behind a window, or null (windows of other code).
TWinControl* FindControl(HWND window) noexcept;
// The current keyboard shift state (plus mouse buttons).
TShiftState KeyboardShiftState();
// Shift state from a mouse message's wParam.
TShiftState MouseShiftState(WPARAM wParam);

}  // namespace bus
