// TSkinListView: the wrapper of list views: their scroll bars, as TSkinScrollbar, and their header,
// which gets a TSkinHeader of its own. It attaches, registers with its form object, switches off
// and on and detaches as every wrapper does; it draws no skin of its own so far.
#pragma once

#include "skin/control/SkinScrollbar.h"

namespace bus {

class TSkinHeader;

class TSkinListView : public TSkinScrollbar {
  BUS_CLASS(TSkinListView)
public:
  using TSkinScrollbar::TSkinScrollbar;
  // Attaches as a scroll bar wrapper, then gives the list view's header window (when it has one) a
  // header wrapper owned by the control.
  void AttachScrolling(TWinControl& control, TSkinData* skin, TSkinWrapperHost* form, TCanvas* canvas) override;
  // The header's wrapper, or null (also once it has been freed).
  TSkinHeader* Header() const noexcept { return header_; }

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  TSkinHeader* header_ = nullptr;  // owned by the control
};

}  // namespace bus
