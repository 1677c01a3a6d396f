// TCustomrgDBTreeListControl: the grid bound to a dataset through a data source. It keeps the data
// link, the key field, the field map, the selection held as record bookmarks and the flags that
// stop feedback between the grid and the dataset (busy while the grid loads or moves the dataset,
// locating while a locate it started runs, syncing while its focus follows the dataset). It fills
// rows from records and keeps the focused row and the current record in step both ways:
//   MoveRecordToNode   the grid's focus moved: make that row's record current
//   SyncFocusToRecord  the dataset moved: focus the row whose key is the current record's
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/data/DataSource.h"
#include "grid/CellTexts.h"
#include "grid/DBTreeListControlDataLink.h"
#include "grid/TreeListControl.h"

namespace bus {

class TrgDBTreeListControlNode;
class TrgDBTreeListColumn;

class TCustomrgDBTreeListControl : public TCustomrgTreeListControl {
  BUS_CLASS(TCustomrgDBTreeListControl)
public:
  explicit TCustomrgDBTreeListControl(TComponent* owner);
  ~TCustomrgDBTreeListControl() override;

  TDataSource* DataSource() const noexcept;
  // Clears the selection and re-targets the link (nothing when it is the same source).
  void SetDataSource(TDataSource* source);
  // The linked dataset, or null.
  TDataSet* DataSet() const noexcept;
  TrgDBTreeListControlDataLink& DataLink() noexcept { return *link_; }
  // Name of the field whose values identify records.
  const std::string& KeyField() const noexcept { return keyFieldName_; }
  void SetKeyField(const std::string& name);
  // The key field found at the last load, or null.
  TField* KeyFieldObject() const noexcept { return keyField_; }

  TrgDBGridOptionDB OptionsDB() const noexcept { return optionsDB_; }
  void SetOptionsDB(TrgDBGridOptionDB v);
  bool UseBookmarks() const noexcept { return optionsDB_.Contains(rgoUseBookmarks); }
  void SetUseBookmarks(bool v);
  bool PartialLoad() const noexcept { return optionsDB_.Contains(rgoPartialLoad); }
  void SetPartialLoad(bool v);

  bool Busy() const noexcept { return busy_; }
  bool Locating() const noexcept { return locating_; }
  bool Syncing() const noexcept { return syncing_; }
  // Records met by the last load.
  int RecordCount() const noexcept { return recordCount_; }
  TrgTreeListNode* PendingInsertNode() const noexcept { return pendingInsert_; }
  // Bookmarks of the selected records (empty while rgoMultiSelect is off).
  int SelectedCount() const noexcept { return int(selection_.size()); }
  void ClearSelection() noexcept { selection_.clear(); }

  // Makes node's record the dataset's current record (by locate or by a relative move).
  void MoveRecordToNode(TrgTreeListNode* node);
  // Focuses the row whose key is the current record's key (the focus stays when none has it).
  void SyncFocusToRecord();

  // Notifications from the link.
  virtual void LinkActiveChanged() {}
  virtual void LinkDataSetChanged() {}
  virtual void LinkDataSetScrolled(int distance) { SyncFocusToRecord(); }
  virtual void LinkRecordChanged(TField* field) {}
  virtual void LinkUpdateData(bool modified);
  virtual void LinkLayoutChanged();
  virtual bool LinkFocusControl(TField* field);

protected:
  void Loaded() override;
  void BeforeDestruction() override;
  void FocusChanging(TrgTreeListNode* node) override;
  void ColumnsChanged() override;
  // Replaces the link (the grid's own link class); done by constructors.
  void SetDataLink(std::unique_ptr<TrgDBTreeListControlDataLink> link);
  // Re-resolves every bound column's field and the row text slots they fill.
  void ResolveColumnFields();
  // Fills node from the current record: key, every column's text and kept value.
  void FillNode(TrgDBTreeListControlNode* node);
  // Rebuilds the field map (the fields the columns show, or every visible field with default
  // fields).
  void RebuildFieldMap(bool defaultFields);
  // The bound column filling text slot i (null for a free slot).
  const std::vector<TrgDBTreeListColumn*>& SlotColumns() const noexcept { return slotColumns_; }
  const std::vector<TField*>& FieldMap() const noexcept { return fieldMap_; }
  // Finds the key field in the linked dataset (null when empty or missing).
  TField* FindKeyField() const;

  bool busy_ = false;                          // loading all records, or moving the dataset
  bool locating_ = false;                      // a locate the grid started is running
  bool syncing_ = false;                       // the focus follows the dataset
  bool reloading_ = false;                     // nodes are being replaced
  TField* keyField_ = nullptr;                 // key field found at the last load
  Variant savedTopKey_;                        // top row's key before a reload; empty: none
  int savedTopLevel_ = 0;                      // that row's depth
  TrgTreeListNode* pendingInsert_ = nullptr;   // row made for a record being inserted
  Variant pendingKey_;                         // its key
  int recordCount_ = 0;                        // records met by the last load
  std::vector<std::pair<std::string, TrgTreeListNode*>> selection_;  // selected records, by bookmark
  std::vector<std::string> savedSelection_;    // selection bookmarks kept across a reload, sorted

private:
  std::unique_ptr<TrgDBTreeListControlDataLink> link_;  // connection to the data source
  std::string keyFieldName_;                   // KeyField
  TrgDBGridOptionDB optionsDB_ = kDefaultOptionsDB;     // OptionsDB
  std::vector<TField*> fieldMap_;              // fields the columns show
  std::vector<TrgDBTreeListColumn*> slotColumns_;  // bound column of each text slot
  TrgCellTextBuilder texts_;                   // row texts being collected (reused)
};

}  // namespace bus
