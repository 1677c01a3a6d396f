// The connection of one data-aware control to a data source: it receives the dataset's
// notifications as virtual calls. Not a component; the control owns it.
#pragma once

#include <cstdint>

#include "framework/data/DataSet.h"

namespace bus {

class TDataLink {
public:
  TDataLink() = default;
  virtual ~TDataLink();
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;

  TDataSource* DataSource() const noexcept { return dataSource_; }
  // Re-targets the link (null: none); runs ActiveChanged when the active state differs.
  void SetDataSource(TDataSource* source);
  TDataSet* DataSet() const noexcept;
  // The link's data source has an open dataset.
  bool Active() const noexcept;
  bool Editing() const noexcept;
  int BufferCount() const noexcept { return bufferCount_; }
  void SetBufferCount(int count) noexcept { bufferCount_ = count; }

  // The control's value differs from the field; cleared by record changed, dataset changed and
  // update data.
  bool IsModified() const noexcept { return modified_; }
  void Modified() noexcept { modified_ = true; }
  // Escape: with a modified value, reload the record (record changed, no field); otherwise
  // cancel the dataset's edit.
  virtual void Cancel();
  // Puts the dataset into edit state when it can; answers whether it is editing.
  bool Edit();

  // Called by the data source.
  void DataEvent(TDataEvent event, std::intptr_t info);

protected:
  virtual void ActiveChanged() {}
  virtual void DataSetChanged() {}
  virtual void DataSetScrolled(int distance) {}
  virtual void RecordChanged(TField* field) {}
  virtual void UpdateData() {}
  virtual void LayoutChanged() {}
  virtual void EditingChanged() {}
  // Answers whether the control took the focus for the field.
  virtual bool FocusControl(TField* field) { return false; }

private:
  friend class TDataSource;
  TDataSource* dataSource_ = nullptr;  // where notifications come from
  int bufferCount_ = 1;                // records the control shows at once
  bool modified_ = false;              // see IsModified
  bool wasActive_ = false;             // Active at the last active-changed call
  bool wasEditing_ = false;            // Editing at the last state call
};

}  // namespace bus
