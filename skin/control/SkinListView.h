// TSkinListView: the wrapper of list views: their scroll bars, as TSkinScrollbar, and their header,
// which gets a TSkinHeader of its own (owned by the list view). The platform makes a list view's
// header only once it is needed (the report view, a first column), so the header is looked for
// again whenever the view may have made one: a changed style or view, an inserted column.
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
  void AfterDefault(TMessage& m) override;
  // The wrapper of the list view's current header, or null (also once it has been freed).
  TSkinHeader* Header() const noexcept { return header_; }

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  // Gives the list view's header window a wrapper unless it has one. A wrapper left on a header
  // the list view no longer has (its window destroyed) is dropped by the form object as every
  // wrapper of a destroyed window is.
  void SkinHeader();

  TSkinHeader* header_ = nullptr;  // the current header's wrapper; owned by the control
};

}  // namespace bus
