// The link between a database grid and its data source: every dataset notification becomes a call
// on the grid.
#pragma once

#include "framework/data/DataLink.h"

namespace bus {

class TCustomrgDBTreeListControl;

class TrgDBTreeListControlDataLink : public TDataLink {
public:
  explicit TrgDBTreeListControlDataLink(TCustomrgDBTreeListControl* grid) : grid_(grid) {}
  TCustomrgDBTreeListControl* Grid() const noexcept { return grid_; }

protected:
  void ActiveChanged() override;
  void DataSetChanged() override;
  void DataSetScrolled(int distance) override;
  void RecordChanged(TField* field) override;
  void UpdateData() override;
  void LayoutChanged() override;
  bool FocusControl(TField* field) override;

private:
  TCustomrgDBTreeListControl* grid_;  // the grid told; it owns the link
};

}  // namespace bus
