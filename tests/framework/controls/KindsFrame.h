// A frame of the kinds form: built from its own description, its button's handler a method of the
// frame. The kinds form places two of them.
#pragma once

#include "framework/controls/Frame.h"
#include "framework/controls/StdCtrls.h"

namespace bus::test {

class TfraKinds : public TFrame {
  BUS_CLASS(TfraKinds)
public:
  explicit TfraKinds(TComponent* owner);

  void Button1Click(TObject* sender);

  int Clicks = 0;            // Button1Click ran so often
  TEdit* Edit1 = nullptr;    // published field
  TButton* Button1 = nullptr;  // published field
};

}  // namespace bus::test
