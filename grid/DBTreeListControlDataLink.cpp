#include "grid/DBTreeListControlDataLink.h"

#include "grid/DBTreeListControl.h"

namespace bus {

void TrgDBTreeListControlDataLink::ActiveChanged() { grid_->LinkActiveChanged(); }
void TrgDBTreeListControlDataLink::DataSetChanged() { grid_->LinkDataSetChanged(); }
// the dataset reports how far its cursor moved; the grid counts the other way round
void TrgDBTreeListControlDataLink::DataSetScrolled(int distance) { grid_->LinkDataSetScrolled(-distance); }
void TrgDBTreeListControlDataLink::RecordChanged(TField* field) { grid_->LinkRecordChanged(field); }
void TrgDBTreeListControlDataLink::UpdateData() { grid_->LinkUpdateData(IsModified()); }
void TrgDBTreeListControlDataLink::LayoutChanged() { grid_->LinkLayoutChanged(); }
bool TrgDBTreeListControlDataLink::FocusControl(TField* field) { return grid_->LinkFocusControl(field); }

}  // namespace bus
