#include "framework/controls/StdCtrls.h"

#include <windowsx.h>

#include "core/WideText.h"
#include "framework/Properties.h"

namespace bus {

namespace {
const TIdentList kBevels{"bvNone", "bvLowered", "bvRaised", "bvSpace"};
const TIdentList kAlignments{"taLeftJustify", "taRightJustify", "taCenter"};
const TIdentList kScrollStyles{"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};
const TIdentList kCheckStates{"cbUnchecked", "cbChecked", "cbGrayed"};

// Draws text in the control's font and colour.
void DrawCaption(HDC dc, TControl& c, RECT r, const std::string& text, UINT flags) {
  HGDIOBJ oldFont = SelectObject(dc, c.Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(c.Enabled() ? c.Font()->Color() : clGrayText));
  const std::wstring w = Widen(text);
  DrawTextW(dc, w.c_str(), int(w.size()), &r, flags);
  SelectObject(dc, oldFont);
}
}  // namespace

// --- panel ----------------------------------------------------------------------------------

const TClassInfo& TCustomPanel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomPanel>("TCustomPanel", TCustomControl::StaticClassInfo())
          .Enum("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter, kBevels, TBevelCut::bvRaised)
          .Enum("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner, kBevels, TBevelCut::bvNone)
          .Int("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth, 1)
          .Enum("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment, kAlignments, TAlignment::taCenter)
          .Build();
  return info;
}
const TClassInfo& TPanel::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TPanel>("TPanel", TCustomPanel::StaticClassInfo()).Creatable().Build();
  return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 41); }

void TCustomPanel::SetBevelOuter(TBevelCut v) {
  bevelOuter_ = v;
  Invalidate();
}
void TCustomPanel::SetBevelInner(TBevelCut v) {
  bevelInner_ = v;
  Invalidate();
}
void TCustomPanel::SetBevelWidth(int v) {
  bevelWidth_ = v;
  Invalidate();
}
void TCustomPanel::SetAlignment(TAlignment v) {
  alignment_ = v;
  Invalidate();
}

void TCustomPanel::Paint() {
  HDC dc = Canvas().Handle();
  RECT r = ClientRect();
  auto bevel = [&](TBevelCut cut) {
    if (cut == TBevelCut::bvNone) return;
    for (int i = 0; i < bevelWidth_; ++i) {
      if (cut != TBevelCut::bvSpace) DrawEdge(dc, &r, cut == TBevelCut::bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
      InflateRect(&r, -1, -1);
    }
  };
  bevel(bevelOuter_);
  bevel(bevelInner_);
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  flags |= alignment_ == TAlignment::taCenter ? DT_CENTER : alignment_ == TAlignment::taRightJustify ? DT_RIGHT : DT_LEFT;
  DrawCaption(dc, *this, r, Caption(), flags);
}

// --- group box ------------------------------------------------------------------------------

const TClassInfo& TCustomGroupBox::StaticClassInfo() {
  static const TClassInfo info{"TCustomGroupBox", &TCustomControl::StaticClassInfo(), {}, {}};
  return info;
}
const TClassInfo& TGroupBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TGroupBox>("TGroupBox", TCustomGroupBox::StaticClassInfo()).Creatable().Build();
  return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 105); }

void TCustomGroupBox::Paint() {
  HDC dc = Canvas().Handle();
  HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, oldFont);
  RECT frame = ClientRect();
  frame.top += tm.tmHeight / 2;
  if (Ctl3D()) {
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  } else {
    HBRUSH b = CreateSolidBrush(ColorToRGB(clWindowFrame));
    FrameRect(dc, &frame, b);
    DeleteObject(b);
  }
  const std::string caption = Caption();
  if (caption.empty()) return;
  const std::wstring w = Widen(caption);
  SIZE size{};
  oldFont = SelectObject(dc, Font()->Handle());
  GetTextExtentPoint32W(dc, w.c_str(), int(w.size()), &size);
  SelectObject(dc, oldFont);
  RECT text{8, 0, 8 + size.cx + 2, tm.tmHeight};
  FillRect(dc, &text, Brush());
  OffsetRect(&text, 1, 0);
  DrawCaption(dc, *this, text, caption, DT_SINGLELINE | DT_LEFT | DT_NOPREFIX);
}

// --- label ----------------------------------------------------------------------------------

const TClassInfo& TCustomLabel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomLabel>("TCustomLabel", TGraphicControl::StaticClassInfo())
          .Enum("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment, kAlignments,
                TAlignment::taLeftJustify)
          .Bool("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize, true)
          .Bool("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent, false)
          .Bool("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap, false)
          .Build();
  return info;
}
const TClassInfo& TLabel::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TLabel>("TLabel", TCustomLabel::StaticClassInfo()).Creatable().Build();
  return info;
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 17); }

void TCustomLabel::SetAlignment(TAlignment v) {
  alignment_ = v;
  Invalidate();
}
void TCustomLabel::SetAutoSize(bool v) {
  autoSize_ = v;
  AdjustBounds();
}
void TCustomLabel::SetTransparent(bool v) {
  transparent_ = v;
  Invalidate();
}
void TCustomLabel::SetWordWrap(bool v) {
  wordWrap_ = v;
  AdjustBounds();
  Invalidate();
}

UINT TCustomLabel::DrawFlags() const {
  UINT flags = DT_NOPREFIX | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0);
  return flags | (alignment_ == TAlignment::taCenter ? DT_CENTER
                  : alignment_ == TAlignment::taRightJustify ? DT_RIGHT : DT_LEFT);
}

void TCustomLabel::Paint() {
  HDC dc = Canvas().Handle();
  RECT r = ClientRect();
  if (!transparent_) {
    HBRUSH b = CreateSolidBrush(ColorToRGB(Color()));
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  DrawCaption(dc, *this, r, Caption(), DrawFlags());
}

void TCustomLabel::AdjustBounds() {
  if (!autoSize_ || Loading()) return;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  std::wstring w = Widen(Caption());
  if (w.empty()) w = L" ";
  RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
  DrawTextW(dc, w.c_str(), int(w.size()), &r, DrawFlags() | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  int left = Left();
  if (alignment_ == TAlignment::taRightJustify) left += Width() - r.right;
  SetBounds(left, Top(), r.right, r.bottom);
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TCustomLabel::WndProc(TMessage& m) {
  TGraphicControl::WndProc(m);
  if (m.Msg == CM_TEXTCHANGED) AdjustBounds();
}

// --- edit -----------------------------------------------------------------------------------

const TClassInfo& TCustomEdit::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TCustomEdit>("TCustomEdit", TWinControl::StaticClassInfo())
                                     .Text("Text", &TCustomEdit::Text, &TCustomEdit::SetText)
                                     .Int("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength, 0)
                                     .Bool("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly, false)
                                     .Event("OnChange", &TCustomEdit::OnChange)
                                     .Build();
  return info;
}
const TClassInfo& TEdit::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TEdit>("TEdit", TCustomEdit::StaticClassInfo()).Creatable().Build();
  return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
  SetTabStop(true);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.sysClassName = L"EDIT";
  p.style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  if (readOnly_) p.style |= ES_READONLY;
  if (Ctl3D()) p.exStyle |= WS_EX_CLIENTEDGE;
  else p.style |= WS_BORDER;
}

void TCustomEdit::Ctl3DChanged() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE), ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
  if (Ctl3D()) {
    style &= ~LONG_PTR(WS_BORDER);
    ex |= WS_EX_CLIENTEDGE;
  } else {
    style |= WS_BORDER;
    ex &= ~LONG_PTR(WS_EX_CLIENTEDGE);
  }
  SetWindowLongPtrW(h, GWL_STYLE, style);
  SetWindowLongPtrW(h, GWL_EXSTYLE, ex);
  SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomEdit::SetMaxLength(int v) {
  maxLength_ = v;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_LIMITTEXT, WPARAM(v), 0);
}

void TCustomEdit::SetReadOnly(bool v) {
  readOnly_ = v;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_SETREADONLY, v, 0);
}

void TCustomEdit::SelectAll() {
  if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_SETSEL, 0, -1);
}

int TCustomEdit::SelStart() const {
  DWORD start = 0;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_GETSEL, WPARAM(&start), 0);
  return int(start);
}

int TCustomEdit::SelLength() const {
  DWORD start = 0, end = 0;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_GETSEL, WPARAM(&start), LPARAM(&end));
  return int(end - start);
}

void TCustomEdit::SetSel(int start, int length) {
  if (HWND h = HandleIfAllocated()) SendMessageW(h, EM_SETSEL, WPARAM(start), LPARAM(start + length));
}

void TCustomEdit::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == EN_CHANGE) OnChange(this);
    return;
  }
  if (m.Msg == WM_CREATE) {
    TWinControl::WndProc(m);
    if (maxLength_) SendMessageW(HandleIfAllocated(), EM_LIMITTEXT, WPARAM(maxLength_), 0);
    return;
  }
  TWinControl::WndProc(m);
}

// --- memo -----------------------------------------------------------------------------------

int TMemoLines::Count() const { return Get().Count(); }
std::string TMemoLines::Strings(int index) const { return Get().Strings(index); }
std::string TMemoLines::Text() const { return Get().Text(); }
TStringList TMemoLines::Get() const {
  TStringList l;
  l.SetText(memo_.Text());
  return l;
}
void TMemoLines::Assign(const TStringList& lines) {
  std::string text = lines.Text();
  if (text.size() >= 2) text.resize(text.size() - 2);  // no line break after the last line
  memo_.SetText(text);
}
void TMemoLines::SetText(const std::string& text) {
  TStringList l;
  l.SetText(text);
  Assign(l);
}
int TMemoLines::Add(const std::string& line) {
  TStringList l = Get();
  const int index = l.Add(line);
  Assign(l);
  return index;
}
void TMemoLines::Insert(int index, const std::string& line) {
  TStringList l = Get();
  l.Insert(index, line);
  Assign(l);
}
void TMemoLines::Delete(int index) {
  TStringList l = Get();
  l.Delete(index);
  Assign(l);
}
void TMemoLines::Clear() { memo_.SetText(""); }

const TClassInfo& TCustomMemo::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomMemo>("TCustomMemo", TCustomEdit::StaticClassInfo())
          .Strings("Lines", &TCustomMemo::LinesValue, &TCustomMemo::SetLinesValue)
          .Enum("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars, kScrollStyles, TScrollStyle::ssNone)
          .Bool("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap, true)
          .Bool("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs, false)
          .Build();
  return info;
}
const TClassInfo& TMemo::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TMemo>("TMemo", TCustomMemo::StaticClassInfo()).Creatable().Build();
  return info;
}

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner) { SetBounds(0, 0, 185, 89); }

void TCustomMemo::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.style |= ES_MULTILINE | ES_WANTRETURN;
  if (wordWrap_) p.style &= ~DWORD(ES_AUTOHSCROLL);
  if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth) p.style |= WS_VSCROLL;
  if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth) p.style |= WS_HSCROLL;
}

void TCustomMemo::SetScrollBars(TScrollStyle v) {
  if (v == scrollBars_) return;
  scrollBars_ = v;
  if (HWND h = HandleIfAllocated()) {
    ShowScrollBar(h, SB_VERT, v == TScrollStyle::ssVertical || v == TScrollStyle::ssBoth);
    ShowScrollBar(h, SB_HORZ, v == TScrollStyle::ssHorizontal || v == TScrollStyle::ssBoth);
  }
}

void TCustomMemo::SetWordWrap(bool v) { wordWrap_ = v; }

void TCustomMemo::WndProc(TMessage& m) {
  TCustomEdit::WndProc(m);
  if (m.Msg == WM_GETDLGCODE && m.WParam == VK_TAB && !wantTabs_)
    m.Result &= ~LRESULT(DLGC_WANTALLKEYS | DLGC_WANTTAB);
}

// --- buttons --------------------------------------------------------------------------------

const TClassInfo& TButtonControl::StaticClassInfo() {
  static const TClassInfo info{"TButtonControl", &TWinControl::StaticClassInfo(), {}, {}};
  return info;
}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
  clickOnMouseUp_ = false;
  captureOnPress_ = false;
  SetTabStop(true);
}

const TClassInfo& TButton::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TButton>("TButton", TButtonControl::StaticClassInfo())
                                     .Creatable()
                                     .Bool("Default", &TButton::Default, &TButton::SetDefault, false)
                                     .Bool("Cancel", &TButton::Cancel, &TButton::SetCancel, false)
                                     .Build();
  return info;
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 75, 25); }

void TButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.sysClassName = L"BUTTON";
  p.style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool v) {
  default_ = v;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == BN_CLICKED) Click();
    return;
  }
  TButtonControl::WndProc(m);
}

const TClassInfo& TCustomCheckBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomCheckBox>("TCustomCheckBox", TButtonControl::StaticClassInfo())
          .Enum("State", &TCustomCheckBox::State, &TCustomCheckBox::SetState, kCheckStates, TCheckBoxState::cbUnchecked)
          .Bool("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked, false)
          .Bool("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed, false)
          .Enum("Alignment", &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment, kAlignments,
                TAlignment::taRightJustify)
          .Build();
  return info;
}
const TClassInfo& TCheckBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCheckBox>("TCheckBox", TCustomCheckBox::StaticClassInfo()).Creatable().Build();
  return info;
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 97, 17); }

void TCustomCheckBox::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.sysClassName = L"BUTTON";
  p.style |= BS_3STATE;
  if (alignment_ == TAlignment::taLeftJustify) p.style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageW(HandleIfAllocated(), BM_SETCHECK, WPARAM(state_), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState v) {
  if (v == state_) return;
  state_ = v;
  if (HWND h = HandleIfAllocated()) SendMessageW(h, BM_SETCHECK, WPARAM(v), 0);
  if (!Loading()) Click();
}

void TCustomCheckBox::Toggle() {
  switch (state_) {
    case TCheckBoxState::cbUnchecked:
      SetState(TCheckBoxState::cbChecked);
      break;
    case TCheckBoxState::cbChecked:
      SetState(allowGrayed_ ? TCheckBoxState::cbGrayed : TCheckBoxState::cbUnchecked);
      break;
    default:
      SetState(TCheckBoxState::cbUnchecked);
      break;
  }
}

void TCustomCheckBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == BN_CLICKED) Toggle();
    return;
  }
  TButtonControl::WndProc(m);
}

}  // namespace bus
