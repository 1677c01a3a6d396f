// TSkinScrollbarH: the wrapper of the built-in scroll bars of a window that has no control object
// (the list of a simple combo box): the overlays of TSkinScrollbar, over a window it subclasses.
#pragma once

#include "skin/control/SkinScrollbarBase.h"

namespace bus {

class TWScrollbar;

class TSkinScrollbarH : public TSkinScrollbarBase {
  BUS_CLASS(TSkinScrollbarH)
public:
  using TSkinScrollbarBase::TSkinScrollbarBase;

  // Subclasses handle and registers with form as every bare-window wrapper does, then lays the
  // overlays over its bars.
  void AttachWindow(HWND handle, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas) override;
  TWScrollbar* HorzBar() const noexcept;
  TWScrollbar* VertBar() const noexcept;
};

}  // namespace bus
