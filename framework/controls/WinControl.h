// TWinControl: a control with a window of its own. It creates its window lazily (parent first, at
// any time, even while its form is being loaded), keeps its children in z-order (later in the
// list lies higher), arranges aligned and anchored children, tracks focus and tab order, turns key
// messages into events, routes mouse messages to its window-less children and paints them, and
// reflects child notifications (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM, and the
// WM_HSCROLL / WM_VSCROLL of scroll bar, track bar and up-down controls) back to the child's object
// as CN_BASE + the message.
//
// The window procedure of every framework window looks the object up through a window property,
// never through GWL_WNDPROC: outside code may subclass the window (and unsubclass in any order)
// and the layer never resets the procedure. WM_NCDESTROY clears Handle; nothing re-creates a
// window afterwards by itself.
#pragma once

#include <string>
#include <vector>

#include "framework/controls/Control.h"

namespace bus {

LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

class EWin32Error : public Exception {
public:
  using Exception::Exception;
};

// What CreateWindowEx is given; CreateParams overrides adjust it.
struct TCreateParams {
  std::wstring caption;     // window text
  DWORD style = 0;          // WS_*
  DWORD exStyle = 0;        // WS_EX_*
  int x = 0, y = 0, width = 0, height = 0;
  HWND wndParent = nullptr;  // parent (child windows) or owner (top-level windows)
  std::wstring className;   // our window class; by default the object's class name
  std::wstring sysClassName;  // system class to superclass (EDIT, BUTTON ...); empty: none
  UINT classStyle = CS_DBLCLKS;  // class style of our own classes
};

class TWinControl : public TControl {
  BUS_CLASS(TWinControl)
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // The window, created now if needed (parent first). Throws EWin32Error when creation fails.
  HWND Handle();
  HWND HandleIfAllocated() const noexcept { return handle_; }
  bool HandleAllocated() const noexcept { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // Destroys the window (children's windows go with it); the object stays.
  void DestroyHandle();
  // A window of other code to be the parent of this one when it has no parent control.
  HWND ParentWindow() const noexcept { return parentWindow_; }
  void SetParentWindow(HWND window);

  int ControlCount() const noexcept { return int(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(size_t(index)); }
  // Used by TControl::SetParent.
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  // The topmost visible (and, unless allowDisabled, enabled) window-less child at p (client
  // coordinates), or null.
  TControl* ControlAtPos(POINT p, bool allowDisabled = false) const;

  void SetBounds(int left, int top, int width, int height) override;
  RECT ClientRect() const override;
  POINT ClientOrigin() const override;
  // Arranges the aligned children (top, bottom, left, right, client) and the anchored ones.
  void Realign();
  bool Aligning() const noexcept { return aligning_ > 0; }

  int TabOrder() const noexcept;
  void SetTabOrder(int order);
  bool TabStop() const noexcept { return tabStop_; }
  void SetTabStop(bool v);
  // Windowed children in tab order, descending into containers.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  // The next (or previous) focusable control after current in tab order, or null.
  TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const;
  // Focuses the next control in tab order (wrapping around).
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
  // Focuses the first focusable tab stop inside; false when there is none.
  bool SelectFirst();

  // Visible and enabled up to the form.
  bool CanFocus() const;
  // The window has the keyboard focus.
  bool Focused() const;
  // Gives the control the focus (or, while its form is hidden, makes it the form's ActiveControl).
  // Throws EInvalidOperation when it cannot take the focus.
  virtual void SetFocus();

  bool Ctl3D() const noexcept { return ctl3D_; }
  void SetCtl3D(bool v);
  bool ParentCtl3D() const noexcept { return parentCtl3D_; }
  void SetParentCtl3D(bool v);
  bool DoubleBuffered() const noexcept { return doubleBuffered_; }
  void SetDoubleBuffered(bool v) noexcept { doubleBuffered_ = v; }

  // A scroll bar of the window (SB_HORZ, SB_VERT, or SB_CTL for a scroll bar control) that another
  // window lies over and draws, as a skin's overlay does: the window keeps updating the bar, but
  // the platform no longer draws it underneath (under Wine that drawing costs milliseconds for
  // each change, spent on pixels nobody sees). The covering window going away exposes the bar, and
  // the platform draws it afresh then.
  void SetScrollBarCovered(int bar, bool covered);
  bool ScrollBarCovered(int bar) const noexcept;
  // SetScrollInfo for bar of the window, drawn unless it is covered; the bar's position after it.
  // Nothing without a window.
  int ApplyScrollInfo(int bar, const SCROLLINFO& info);

  // Paints the visible window-less children that intersect dc's clip area, in list order, each
  // through its WindowProc as WM_PAINT with wParam = dc (origin moved to it, clipped to it).
  void PaintControls(HDC dc, TControl* first = nullptr);
  void Invalidate() override;
  void Update() override;
  bool IsWindowless() const override { return false; }

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  // Sends msg with Perform to every child.
  void NotifyChildren(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // A brush of the control's colour (for WM_CTLCOLOR* answers); owned by the control.
  HBRUSH Brush();

  TNotifyEvent OnEnter;          // published
  TNotifyEvent OnExit;           // published
  TKeyEvent OnKeyDown;           // published
  TKeyPressEvent OnKeyPress;     // published
  TKeyEvent OnKeyUp;             // published

protected:
  void BeforeDestruction() override;
  void Loaded() override;
  std::string GetText() const override;
  void StoreText(const std::string& text) override;
  void FontChanged() override;
  void ColorChanged() override;

  virtual void CreateParams(TCreateParams& params);
  // Creates the window and the children's windows; runs CreateWnd's work once.
  void CreateHandle();
  // Makes the window itself from the parameters (CreateWindowEx); null when that fails. A window
  // that another window makes for it (an MDI child) is made here by an override.
  virtual HWND CreateWindowHandle(const TCreateParams& params);
  // Destroys the window itself; a window another window made (an MDI child) has it destroy it.
  virtual void DestroyWindowHandle();
  // Makes the window again (for settings the platform takes only at creation); nothing without one.
  void RecreateWnd();
  // After the window exists: font, text, z-order, children. Overrides call the base first.
  virtual void CreateWnd();
  // Fills the client area in the background colour (own window classes).
  virtual void EraseBackground(HDC dc);
  // Paints the control itself (own window classes); the base does nothing.
  virtual void PaintWindow(HDC dc) {}
  // Key events: set key to 0 to stop the key's normal processing.
  virtual void KeyDown(unsigned short& key, TShiftState shift) { OnKeyDown(this, key, shift); }
  virtual void KeyPress(wchar_t& key) { OnKeyPress(this, key); }
  virtual void KeyUp(unsigned short& key, TShiftState shift) { OnKeyUp(this, key, shift); }
  virtual void DoEnter() { OnEnter(this); }
  virtual void DoExit() { OnExit(this); }
  // The 3-D setting changed (edits switch between a sunken and a flat border).
  virtual void Ctl3DChanged() {}
  // True for controls that paint through the layer (own classes), false for superclassed natives.
  bool OwnClass() const noexcept { return ownClass_; }
  // Reads Left, Top, Width and Height back from the window.
  void UpdateBoundsFromWindow();
  // The children have just been arranged (Realign); a container that scrolls measures them here.
  virtual void Aligned() {}
  // Answers a colour query (WM_CTLCOLOR*: wParam the DC): text in the font colour on the control's
  // colour, the result the control's brush.
  void CnCtlColor(TMessage& m);

private:
  friend LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);
  // Message handlers of WndProc; each ends in the inherited processing unless it answers itself.
  void WmKey(TMessage& m);
  void WmChar(TMessage& m);
  void WmSysChar(TMessage& m);
  bool OfferDialogChar(TMessage& m);
  void WmSetFocus(TMessage& m);
  void WmDestroy(TMessage& m);
  void WmEraseBkgnd(TMessage& m);
  void WmPaint(TMessage& m);
  void WmPrintClient(TMessage& m);
  void WmSize(TMessage& m);
  void WmWindowPosChanged(TMessage& m);
  void WmSetCursor(TMessage& m);
  void WmCaptureChanged(TMessage& m);
  void WmMouse(TMessage& m);
  void WmChildNotify(TMessage& m);
  void CmParentCtl3DChanged();
  void CmVisibleChanged(TMessage& m);
  void CmEnabledChanged();
  void PaintBuffered(HDC dc, const RECT& update);
  bool RouteMouseToChild(TMessage& m);
  void AlignControls();
  void FixupTabList();
  void PlaceInZOrder();
  void FreeChildren();

  HWND handle_ = nullptr;              // the window; null before creation and after WM_NCDESTROY
  HWND parentWindow_ = nullptr;        // outside parent window, used when there is no parent control
  WNDPROC defWndProc_ = nullptr;       // the class's default procedure (system class or DefWindowProc)
  bool ownClass_ = true;               // not a superclassed system control
  std::vector<TControl*> controls_;    // children, in z-order (last on top) and paint order
  std::vector<TWinControl*> tabList_;  // windowed children in tab order
  int aligning_ = 0;                   // nesting of Realign
  bool tabStop_ = false;               // takes part in Tab navigation
  bool ctl3D_ = true;                  // sunken 3-D borders for children that have them
  bool parentCtl3D_ = true;            // Ctl3D follows the parent's
  bool doubleBuffered_ = false;        // WM_PAINT without a DC paints off-screen, then copies once
  TControl* captureControl_ = nullptr;  // window-less child that has the mouse captured
  HBRUSH brush_ = nullptr;             // brush of the control's colour
  TColor brushColor_ = 0;              // colour brush_ was made for
  int pendingTabOrder_ = -1;           // TabOrder noted before the parent was known or while loading
  unsigned coveredBars_ = 0;           // bit 1 << bar for each bar another window draws (SB_HORZ ... SB_CTL)
};

}  // namespace bus
