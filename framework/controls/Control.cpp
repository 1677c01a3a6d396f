#include "framework/controls/Control.h"

#include <windowsx.h>

#include <algorithm>

#include "core/ScopeExit.h"
#include "core/TextUtil.h"
#include "framework/Properties.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/Menus.h"
#include "framework/controls/PropertyIdents.h"
#include "framework/controls/WinControl.h"

namespace bus {

namespace {
const TIdentList kAlignNames{"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};
const TIdentList kAnchorNames{"akLeft", "akTop", "akRight", "akBottom"};
}  // namespace

const TClassInfo& TControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TControl>("TControl", TComponent::StaticClassInfo())
          .Int("Left", &TControl::Left, &TControl::SetLeft)
          .Int("Top", &TControl::Top, &TControl::SetTop)
          .Int("Width", &TControl::Width, &TControl::SetWidth)
          .Int("Height", &TControl::Height, &TControl::SetHeight)
          .Enum("Align", &TControl::Align, &TControl::SetAlign, kAlignNames, TAlign::alNone)
          .SetOf("Anchors", &TControl::Anchors, &TControl::SetAnchors, kAnchorNames,
                 TAnchors{TAnchorKind::akLeft, TAnchorKind::akTop})
          .Bool("Visible", &TControl::Visible, &TControl::SetVisible, true)
          .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
          .Int("Color", &TControl::Color, &TControl::SetColor, clBtnFace, &kColorIdents)
          .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true)
          .Held<TFont>("Font", &TControl::Font)
          .Text("Font.Name", &TControl::FontName, &TControl::SetFontName)
          .Int("Font.Height", &TControl::FontHeight, &TControl::SetFontHeight, kDefaultFontHeight)
          .Int("Font.Size", &TControl::FontSize, &TControl::SetFontSize)
          .Int("Font.Color", &TControl::FontColor, &TControl::SetFontColor, clWindowText, &kColorIdents)
          .SetOf("Font.Style", &TControl::FontStyle, &TControl::SetFontStyle, kFontStyleNames, TFontStyleSet{})
          .Int("Font.Charset", &TControl::FontCharset, &TControl::SetFontCharset, DEFAULT_CHARSET, &kCharsetIdents)
          .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
          .Text("Caption", &TControl::Caption, &TControl::SetCaption)
          .Int("Cursor", &TControl::Cursor, &TControl::SetCursor, crDefault, &kCursorIdents)
          .Text("Hint", &TControl::Hint, &TControl::SetHint)
          .Reference<TPopupMenu>("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
          .Event("OnClick", &TControl::OnClick)
          .Event("OnDblClick", &TControl::OnDblClick)
          .Event("OnMouseDown", &TControl::OnMouseDown)
          .Event("OnMouseUp", &TControl::OnMouseUp)
          .Event("OnMouseMove", &TControl::OnMouseMove)
          .Event("OnMouseEnter", &TControl::OnMouseEnter)
          .Event("OnMouseLeave", &TControl::OnMouseLeave)
          .Build();
  return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  windowProc_ = [this](TMessage& m) { WndProc(m); };
  font_->SetOnChange([this] {
    if (!applyingParent_) parentFont_ = false;
    FontChanged();
  });
}

TControl::~TControl() {
  ReleaseFromParent();
  ControlGoing(this);
}

void TControl::BeforeDestruction() {
  ControlGoing(this);
  ReleaseFromParent();
  TComponent::BeforeDestruction();
}

void TControl::ReleaseFromParent() {
  if (parent_) parent_->RemoveControl(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

void TControl::Loaded() {
  TComponent::Loaded();
  UpdateAnchorBase();
}

// --- font settings published by path -------------------------------------------------------

std::string TControl::FontName() const { return font_->Name(); }
void TControl::SetFontName(const std::string& v) { font_->SetName(v); }
int TControl::FontHeight() const { return font_->Height(); }
void TControl::SetFontHeight(int v) { font_->SetHeight(v); }
int TControl::FontSize() const { return font_->Size(); }
void TControl::SetFontSize(int v) { font_->SetSize(v); }
TColor TControl::FontColor() const { return font_->Color(); }
void TControl::SetFontColor(TColor v) { font_->SetColor(v); }
TFontStyleSet TControl::FontStyle() const { return TFontStyleSet::FromBits(font_->Style().Bits()); }
void TControl::SetFontStyle(TFontStyleSet v) { font_->SetStyle(TFontStyles::FromBits(v.Bits())); }
int TControl::FontCharset() const { return font_->Charset(); }
void TControl::SetFontCharset(int v) { font_->SetCharset(BYTE(v)); }

// --- parent and geometry --------------------------------------------------------------------

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw EInvalidOperation("a control cannot be its own parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* w = dynamic_cast<TWinControl*>(parent)) {
    SetParent(w);
    return;
  }
  TComponent::SetParentComponent(parent);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

TCustomForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  SetBoundsInternal(left, top, width, height);
  if (!parent_ || !parent_->Aligning()) UpdateAnchorBase();
  if (align_ != TAlign::alNone) RequestAlign();
}

void TControl::SetBoundsInternal(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  if (IsWindowless()) Invalidate();  // where it was
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (IsWindowless()) Invalidate();  // where it is
}

RECT TControl::ClientRect() const { return {0, 0, width_, height_}; }

void TControl::SetClientSize(int width, int height) {
  const RECT c = ClientRect();
  SetBounds(left_, top_, width_ + width - c.right, height_ + height - c.bottom);
}

POINT TControl::ClientOrigin() const {
  if (!parent_) return {left_, top_};
  POINT p = parent_->ClientOrigin();
  return {p.x + left_, p.y + top_};
}

POINT TControl::ClientToScreen(POINT p) const {
  const POINT o = ClientOrigin();
  return {p.x + o.x, p.y + o.y};
}

POINT TControl::ScreenToClient(POINT p) const {
  const POINT o = ClientOrigin();
  return {p.x - o.x, p.y - o.y};
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  if (align != TAlign::alNone) anchors_ = {TAnchorKind::akLeft, TAnchorKind::akTop};
  RequestAlign();
}

void TControl::SetAnchors(TAnchors anchors) {
  anchors_ = anchors;
  UpdateAnchorBase();
}

SIZE TControl::ParentClientSize() const {
  if (!parent_) return {0, 0};
  const RECT r = parent_->ClientRect();
  return {r.right - r.left, r.bottom - r.top};
}

void TControl::UpdateAnchorBase() {
  if (!parent_) return;
  anchorBase_ = BoundsRect();
  anchorParent_ = ParentClientSize();
  anchorValid_ = true;
}

// Places the control for a new parent client size from its design bounds: an edge that is
// followed keeps its distance to that side of the parent; with neither side of an axis followed
// the control keeps its relative centre.
void TControl::ApplyAnchors(SIZE parentSize) {
  // while a description is read the parent may not have its final size yet: the stored position
  // is the design position, taken as the base in Loaded
  if (!anchorValid_ || align_ != TAlign::alNone || Loading()) return;
  if (anchors_ == TAnchors{TAnchorKind::akLeft, TAnchorKind::akTop}) return;
  const int dx = parentSize.cx - anchorParent_.cx;
  const int dy = parentSize.cy - anchorParent_.cy;
  int l = anchorBase_.left, t = anchorBase_.top;
  int w = anchorBase_.right - anchorBase_.left, h = anchorBase_.bottom - anchorBase_.top;
  const bool left = anchors_.Contains(TAnchorKind::akLeft), right = anchors_.Contains(TAnchorKind::akRight);
  const bool top = anchors_.Contains(TAnchorKind::akTop), bottom = anchors_.Contains(TAnchorKind::akBottom);
  if (left && right) w += dx;
  else if (right) l += dx;
  else if (!left) l += dx / 2;
  if (top && bottom) h += dy;
  else if (bottom) t += dy;
  else if (!top) t += dy / 2;
  SetBoundsInternal(l, t, std::max(w, 0), std::max(h, 0));
}

void TControl::RequestAlign() {
  if (parent_) parent_->Realign();
}

// --- state ----------------------------------------------------------------------------------

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
  if (IsWindowless()) Invalidate();
  RequestAlign();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Perform(CM_ENABLEDCHANGED);
  if (IsWindowless()) Invalidate();  // drawn greyed or not
}

void TControl::SetColor(TColor color) {
  if (!applyingParent_) parentColor_ = false;
  if (color == color_) return;
  color_ = color;
  ColorChanged();
  Perform(CM_COLORCHANGED);
  if (auto* self = dynamic_cast<TWinControl*>(this)) self->NotifyChildren(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentColor(bool v) {
  parentColor_ = v;
  if (v && parent_) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!parentColor_ || !parent_) return;
  applyingParent_ = true;
  ScopeExit done([this] { applyingParent_ = false; });
  SetColor(parent_->Color());
}

void TControl::SetParentFont(bool v) {
  parentFont_ = v;
  if (v && parent_) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  applyingParent_ = true;
  ScopeExit done([this] { applyingParent_ = false; });
  font_->Assign(*parent_->Font());
}

void TControl::FontChanged() {
  Perform(CM_FONTCHANGED);
  if (auto* self = dynamic_cast<TWinControl*>(this)) self->NotifyChildren(CM_PARENTFONTCHANGED);
  Invalidate();
}

void TControl::ColorChanged() { Invalidate(); }

void TControl::SetText(const std::string& text) {
  if (text == GetText()) return;
  StoreText(text);
  Perform(CM_TEXTCHANGED);
  Invalidate();
}

void TControl::SetCursor(TCursor cursor) { cursor_ = cursor; }

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = menu;
  if (menu) menu->FreeNotification(this);
}

// --- messages -------------------------------------------------------------------------------

void TControl::SetWindowProc(TWndMethod handler) {
  if (handler) windowProc_ = std::move(handler);
  else windowProc_ = [this](TMessage& m) { WndProc(m); };
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  TWndMethod handler = windowProc_;  // the handler may replace itself while it runs
  handler(m);
  return m.Result;
}

TShiftState KeyboardShiftState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(TShiftStateFlag::ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(TShiftStateFlag::ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(TShiftStateFlag::ssAlt);
  return s;
}

TShiftState MouseShiftState(WPARAM wParam) {
  TShiftState s;
  if (wParam & MK_SHIFT) s.Include(TShiftStateFlag::ssShift);
  if (wParam & MK_CONTROL) s.Include(TShiftStateFlag::ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(TShiftStateFlag::ssAlt);
  if (wParam & MK_LBUTTON) s.Include(TShiftStateFlag::ssLeft);
  if (wParam & MK_RBUTTON) s.Include(TShiftStateFlag::ssRight);
  if (wParam & MK_MBUTTON) s.Include(TShiftStateFlag::ssMiddle);
  return s;
}

// A left press (or double click) and the release that may click: a release inside the control
// after a press that began inside it performs Click.
void TControl::WmLButtonDown(TMessage& m) {
  TShiftState shift = MouseShiftState(m.WParam);
  if (m.Msg == WM_LBUTTONDBLCLK) {
    shift.Include(TShiftStateFlag::ssDouble);
    DblClick();
  }
  clicked_ = clickOnMouseUp_ && m.Msg == WM_LBUTTONDOWN;
  MouseDown(TMouseButton::mbLeft, shift, GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
}

void TControl::WmLButtonUp(TMessage& m) {
  const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  const bool click = clicked_ && x >= 0 && y >= 0 && x < width_ && y < height_;
  clicked_ = false;
  MouseUp(TMouseButton::mbLeft, MouseShiftState(m.WParam), x, y);
  if (click) Click();
}

void TControl::WmButtonDown(TMessage& m, TMouseButton button) {
  MouseDown(button, MouseShiftState(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
}

void TControl::WmButtonUp(TMessage& m, TMouseButton button) {
  MouseUp(button, MouseShiftState(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
}

void TControl::CmMouseLeave() {
  clicked_ = false;
  OnMouseLeave(this);
}

// The control's own processing: mouse messages become events, the layer's notifications update
// state; every message then ends in DefaultHandler.
void TControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      WmLButtonDown(m);
      break;
    case WM_LBUTTONUP:
      WmLButtonUp(m);
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      WmButtonDown(m, TMouseButton::mbRight);
      break;
    case WM_RBUTTONUP:
      WmButtonUp(m, TMouseButton::mbRight);
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      WmButtonDown(m, TMouseButton::mbMiddle);
      break;
    case WM_MBUTTONUP:
      WmButtonUp(m, TMouseButton::mbMiddle);
      break;
    case WM_MOUSEMOVE:
      MouseMove(MouseShiftState(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      break;
    case CM_MOUSEENTER:
      OnMouseEnter(this);
      break;
    case CM_MOUSELEAVE:
      CmMouseLeave();
      break;
    case CM_PARENTFONTCHANGED:
      ParentFontChanged();
      break;
    case CM_PARENTCOLORCHANGED:
      ParentColorChanged();
      break;
    default:
      break;
  }
  DefaultHandler(m);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) { OnMouseDown(this, button, shift, x, y); }
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) { OnMouseUp(this, button, shift, x, y); }
void TControl::MouseMove(TShiftState shift, int x, int y) { OnMouseMove(this, shift, x, y); }
void TControl::DblClick() { OnDblClick(this); }
void TControl::Click() { OnClick(this); }

void TControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated() || !IsWindowless()) return;
  const RECT r = BoundsRect();
  InvalidateRect(parent_->Handle(), &r, TRUE);
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

}  // namespace bus
