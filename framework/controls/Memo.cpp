#include "framework/controls/Memo.h"

#include "framework/Properties.h"

namespace bus {

namespace {
const TIdentList kScrollStyles{"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};
}  // namespace

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

}  // namespace bus
