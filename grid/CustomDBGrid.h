// TCustomrgDBGrid: the database grid's behaviour. In the load-all mode (rgoLoadAllRecords) every
// record becomes a row whenever the dataset opens or changes, sorted by the first column with a
// sort state; it reacts to the dataset's notifications (activation, change, scroll, record change),
// handles the database keys (Ctrl+Delete with confirmation, Escape, Insert, Up/Down at the ends
// while editing), deletes a row's record, and cancels an untouched insert when the focus leaves.
//
// Every database grid is listed program-wide, so that a grid can see whether another grid on the
// same dataset is moving it.
//
// Not built yet (published and stored, they change nothing): PartialLoadBufferCount (every record
// is loaded), SummaryGroups, SummarySeparator, Filter, FilterStatus.
#pragma once

#include <memory>
#include <string>

#include "grid/DBGridFilter.h"
#include "grid/DBTreeListControl.h"
#include "grid/SummaryGroups.h"

namespace bus {

class TrgGridDataLink;
class TrgDBGridNode;

// (Sender, Node1, Node2, Compare): a non-zero Compare decides the order of the two rows.
using TrgCompareEvent = TEvent<TObject*, TrgTreeListNode*, TrgTreeListNode*, int&>;

class TCustomrgDBGrid : public TCustomrgDBTreeListControl {
  BUS_CLASS(TCustomrgDBGrid)
public:
  explicit TCustomrgDBGrid(TComponent* owner);
  ~TCustomrgDBGrid() override;

  // Every record is a row (rgoLoadAllRecords).
  bool LoadAllMode() const noexcept { return OptionsDB().Contains(rgoLoadAllRecords); }
  bool DefaultFields() const noexcept { return defaultFields_; }
  void SetDefaultFields(bool v) noexcept { defaultFields_ = v; }
  int PartialLoadBufferCount() const noexcept { return partialLoadBufferCount_; }
  void SetPartialLoadBufferCount(int v) noexcept { partialLoadBufferCount_ = v; }
  TrgSummaryGroups* SummaryGroups() const noexcept { return summaryGroups_.get(); }
  const std::string& SummarySeparator() const noexcept { return summarySeparator_; }
  void SetSummarySeparator(const std::string& v) { summarySeparator_ = v; }
  TrgDBGridFilter* Filter() const noexcept { return filter_.get(); }
  TrgFilterStatus FilterStatus() const noexcept { return filterStatus_; }
  void SetFilterStatus(TrgFilterStatus v) noexcept { filterStatus_ = v; }

  // Replaces every row with the dataset's records (keeping the top row when its key returns).
  void Reload();
  // Ctrl+Delete: after confirmation, deletes the focused row's record. False when nothing was
  // deleted (not allowed, nothing to delete, or the user said no).
  bool DeleteFocusedRecord();

  // Every database grid of the program.
  static const std::vector<TCustomrgDBGrid*>& Grids();

  TNotifyEvent OnClearNodeData;      // published: a load begins
  TrgNodeEvent OnRefreshNodeData;    // published: a row was filled from its record
  TrgCompareEvent OnCompare;         // published: decides the order of two rows when sorting

  void LinkActiveChanged() override;
  void LinkDataSetChanged() override;
  void LinkDataSetScrolled(int distance) override;
  void LinkRecordChanged(TField* field) override;
  void LinkLayoutChanged() override;

protected:
  TrgTreeListNode* CreateNode() override;
  void BeforeDestruction() override;
  void GridKeyDown(unsigned short& key, TShiftState shift) override;
  void DoExit() override;
  bool HeaderSortingEffective() const override;
  void SortByColumn(TrgTreeListColumn* column) override;
  void ColumnsChanged() override;
  void DeleteNodeRequest(TrgTreeListNode* node) override;
  void LayoutChanged() override;

private:
  // Activation: the rows are replaced by the records of the (re)opened dataset, or cleared.
  void Activate();
  // Loads every record as a row (busy, dataset notifications off, cursor restored afterwards).
  void LoadAllRecords();
  // Adds the row of a record being inserted.
  void InsertedRecord();
  // Makes node's record current and deletes it.
  void DeleteRecordOfNode(TrgTreeListNode* node);
  // Sorts the rows by column (fewer than two rows: nothing).
  void SortRows(TrgTreeListColumn* column);
  // The first column in column order with a sort state, or null.
  TrgTreeListColumn* FirstSortedColumn() const;
  // Another grid on the same dataset is loading or locating.
  bool OtherGridNavigating() const;

  bool defaultFields_ = false;                     // field map from every visible field
  int partialLoadBufferCount_ = 100;               // stored only
  std::unique_ptr<TrgSummaryGroups> summaryGroups_;  // stored only
  std::string summarySeparator_ = ", ";            // stored only
  std::unique_ptr<TrgDBGridFilter> filter_;        // stored only
  TrgFilterStatus filterStatus_ = TrgFilterStatus::fsAuto;  // stored only
  TrgGridDataLink* gridLink_ = nullptr;            // the link as the grid's own class
  Variant pendingDeleteKey_;                       // key of the record being deleted
  bool loadAllLast_ = false;                       // load mode at the last layout pass
};

}  // namespace bus
