#include "framework/controls/RichEdit.h"

#include <richedit.h>

#include "framework/Properties.h"

namespace bus {

namespace {
// The rich edit library, loaded once for the rest of the process (its window class lives as long).
void LoadRichEditLibrary() {
  static const HMODULE library = LoadLibraryW(L"riched20.dll");
  if (!library) throw EWin32Error("the rich edit library riched20.dll is not available");
}
}  // namespace

const TClassInfo& TCustomRichEdit::StaticClassInfo() {
  static const TClassInfo info{"TCustomRichEdit", &TCustomMemo::StaticClassInfo(), {}, {}};
  return info;
}
const TClassInfo& TRichEdit::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TRichEdit>("TRichEdit", TCustomRichEdit::StaticClassInfo()).Creatable().Build();
  return info;
}

TCustomRichEdit::TCustomRichEdit(TComponent* owner) : TCustomMemo(owner) {}

void TCustomRichEdit::CreateParams(TCreateParams& p) {
  TCustomMemo::CreateParams(p);
  LoadRichEditLibrary();
  p.sysClassName = RICHEDIT_CLASSW;
  // the scroll bars asked for stay, as a memo's do (a rich edit would hide them while not needed)
  if (p.style & (WS_VSCROLL | WS_HSCROLL)) p.style |= ES_DISABLENOSCROLL;
}

// A rich edit tells of changes only when asked to.
void TCustomRichEdit::CreateWnd() {
  TCustomMemo::CreateWnd();
  SendMessageW(HandleIfAllocated(), EM_SETEVENTMASK, 0, ENM_CHANGE);
  ApplyColours();
}

// A rich edit asks its parent for no colours: it is given them.
void TCustomRichEdit::ApplyColours() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  SendMessageW(h, EM_SETBKGNDCOLOR, 0, LPARAM(ColorToRGB(Color())));
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR;
  format.crTextColor = ColorToRGB(Font()->Color());
  SendMessageW(h, EM_SETCHARFORMAT, SCF_ALL, LPARAM(&format));
}

void TCustomRichEdit::ColorChanged() {
  ApplyColours();
  TCustomMemo::ColorChanged();
}

void TCustomRichEdit::FontChanged() {
  TCustomMemo::FontChanged();
  ApplyColours();
}

}  // namespace bus
