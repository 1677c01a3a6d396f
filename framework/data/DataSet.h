// Datasets: a cursor over records with fields, a state (inactive, browse, edit, insert, set-key),
// navigation, editing, bookmarks, and notifications to data-aware controls through data sources.
//
// Notifications (see TDataLink) and when they are sent:
//   active changed      Open, Close
//   dataset changed     after Post, Delete, Cancel, Insert/Append, and from EnableControls
//   dataset scrolled    First, Last, Next, Prior, MoveBy, Locate, GotoBookmark, with the distance
//   record changed      a field changed while editing
//   update data         before Post
//   layout changed      the fields changed
//   focus control       a field asked to be focused
// None is sent while DisableControls is in force. EnableControls, when its count returns to 0 on
// an active dataset, sends "dataset changed" (after "active changed" when the dataset was opened
// or closed meanwhile).
//
// Subclasses give the records: InternalOpen/InternalClose, the moves, field values and the
// record operations (TDbQuery does it over the route database layer).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/Exception.h"
#include "framework/Component.h"
#include "framework/data/Field.h"

namespace bus {

class TDataSource;

class EDatabaseError : public Exception {
public:
  using Exception::Exception;
};

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey };

enum class TDataEvent {
  deFieldChange,     // info: the field
  deRecordChange,    // info: the field or null
  deDataSetChange,
  deDataSetScroll,   // info: the distance
  deLayoutChange,
  deUpdateRecord,
  deUpdateState,     // the state changed; info 1: opened or closed, 2: reopened unseen, 0: editing
  deFocusControl,    // info: the field
};

class TDataSet : public TComponent {
  BUS_CLASS(TDataSet)
public:
  explicit TDataSet(TComponent* owner) : TComponent(owner) {}

  bool Active() const noexcept { return state_ != TDataSetState::dsInactive; }
  // Opens or closes; while the form description is read the value is kept and applied in Loaded.
  void SetActive(bool active);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  TDataSetState State() const noexcept { return state_; }

  int FieldCount() const noexcept { return int(fields_.size()); }
  TField* Fields(int index) const { return fields_.at(size_t(index)); }
  // The field of that name (ASCII case ignored), or null / EDatabaseError.
  TField* FindField(std::string_view name) const noexcept;
  TField* FieldByName(std::string_view name) const;

  virtual int RecordCount() const = 0;
  bool IsEmpty() const { return RecordCount() == 0; }
  // Index of the current record, or -1.
  virtual int RecNo() const = 0;
  bool Bof() const noexcept { return bof_; }
  bool Eof() const noexcept { return eof_; }
  virtual bool CanModify() const = 0;

  void First();
  void Last();
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  // Moves by distance records, stopping at either end; returns the distance moved. An edit in
  // progress is posted first.
  int MoveBy(int distance);
  // Makes the first record whose field keyField equals value (as text) current; false when none.
  bool Locate(std::string_view keyField, const Variant& value);

  void Edit();
  void Insert();
  void Append();
  void Post();
  void Cancel();
  void Delete();
  // Posts an edit in progress (browse mode afterwards).
  void CheckBrowseMode();

  // A bookmark names a record for as long as the dataset stays open; empty when no record.
  std::string Bookmark() const;
  bool BookmarkValid(const std::string& bookmark) const;
  void GotoBookmark(const std::string& bookmark);

  void DisableControls() noexcept { ++disableCount_; }
  void EnableControls();
  bool ControlsDisabled() const noexcept { return disableCount_ > 0; }

  // Sends a notification to every link of every data source on this dataset.
  void DataEvent(TDataEvent event, std::intptr_t info = 0);

  // Value access for TField.
  virtual std::string FieldText(int field, bool& isNull) const = 0;
  // Appends the field's text in the current record to out and answers whether it is null. The
  // default goes through FieldText; a dataset that holds its texts appends them without a copy.
  virtual bool AppendFieldText(int field, std::string& out) const;
  virtual void SetFieldText(int field, const std::string* text) = 0;  // null: SQL null

  // Data sources register here (TDataSource does it).
  void AddDataSource(TDataSource* source);
  void RemoveDataSource(TDataSource* source);

protected:
  void Loaded() override;
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;

  // Opens the records and returns the field names; throws on failure.
  virtual std::vector<std::string> InternalOpen() = 0;
  virtual void InternalClose() noexcept = 0;
  virtual void InternalFirst() = 0;
  virtual void InternalLast() = 0;
  // Moves by distance; returns the distance moved and sets bof/eof as the move stopped.
  virtual int InternalMoveBy(int distance, bool& bof, bool& eof) = 0;
  virtual void InternalEdit() = 0;
  virtual void InternalInsert() { throw EDatabaseError("records cannot be inserted into " + Name()); }
  virtual void InternalPost() = 0;
  virtual void InternalCancel() noexcept = 0;
  virtual void InternalDelete() = 0;
  virtual std::string InternalBookmark() const = 0;
  virtual bool InternalBookmarkValid(const std::string& bookmark) const = 0;
  virtual void InternalGotoBookmark(const std::string& bookmark) = 0;
  // Sets the cursor flags after a subclass moved on its own.
  void SetCursorFlags(bool bof, bool eof) noexcept {
    bof_ = bof;
    eof_ = eof;
  }

private:
  void SetState(TDataSetState state);
  void DestroyFields();
  void CheckActive(const char* what) const;

  TDataSetState state_ = TDataSetState::dsInactive;  // what the dataset is doing
  std::vector<TField*> fields_;                      // owned by the dataset, in record order
  std::vector<TDataSource*> sources_;                // data sources on this dataset
  int disableCount_ = 0;                             // DisableControls nesting
  bool activeChangedWhileDisabled_ = false;          // Open/Close happened while disabled
  bool bof_ = true;                                  // at (or stopped at) the first record
  bool eof_ = true;                                  // stopped at the last record
  bool streamedActive_ = false;                      // Active as stored, applied in Loaded
};

}  // namespace bus
