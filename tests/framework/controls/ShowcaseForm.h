// The form of the main window's control kinds, laid out like the bottom of the main window (a memo
// over a panel with the search boxes, the speed buttons, the check box, the close button and the
// status bar), built from a description. form_showcase shows it as the widget layer paints it,
// skin_showcase with the skin.
#pragma once

#include "framework/controls/Form.h"

namespace bus {

class TApplication;
class TEdit;
class TSpeedButton;

namespace test {

class TfrmShowcase : public TForm {
  BUS_CLASS(TfrmShowcase)
public:
  explicit TfrmShowcase(TComponent* owner);
  void FormClose(TObject*, TCloseAction&) {}

  TSpeedButton* Button1 = nullptr;  // the raised "查询" speed button
  TEdit* Edit3 = nullptr;           // the stop box
};

// The form's description.
extern const char* const kShowcaseDescription;

// The showcase made from its description with what it shows besides: a magnifier glyph on Button1
// and the focus in the stop box.
TfrmShowcase* CreateShowcase(TApplication& app);

}  // namespace test
}  // namespace bus
