// Rich edits: a memo over the platform's rich edit control (RichEdit20W of riched20.dll, loaded on
// first use): Lines, ReadOnly, ScrollBars, WordWrap and OnChange as a memo has them, the
// background in Color and the text in the font's colour.
//
// TCustomRichEdit and every class derived from it scroll: one of the scrolling kinds of the skin's
// control selection.
#pragma once

#include "framework/controls/Memo.h"

namespace bus {

class TCustomRichEdit : public TCustomMemo {
  BUS_CLASS(TCustomRichEdit)
public:
  explicit TCustomRichEdit(TComponent* owner);

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void ColorChanged() override;
  void FontChanged() override;

private:
  void ApplyColours();
};

class TRichEdit : public TCustomRichEdit {
  BUS_CLASS(TRichEdit)
public:
  using TCustomRichEdit::TCustomRichEdit;
};

}  // namespace bus
