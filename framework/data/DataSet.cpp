#include "framework/data/DataSet.h"

#include <algorithm>

#include "core/ScopeExit.h"
#include "core/TextUtil.h"
#include "framework/Properties.h"
#include "framework/data/DataSource.h"

namespace bus {

const TClassInfo& TDataSet::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TDataSet>("TDataSet", TComponent::StaticClassInfo())
                                     .Bool("Active", &TDataSet::Active, &TDataSet::SetActive, false)
                                     .Build();
  return info;
}

void TDataSet::Loaded() {
  TComponent::Loaded();
  if (streamedActive_) SetActive(true);
}

void TDataSet::BeforeDestruction() {
  SetActive(false);
  for (TDataSource* s : std::vector<TDataSource*>(sources_)) s->SetDataSet(nullptr);
  TComponent::BeforeDestruction();
}

void TDataSet::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove) std::erase(fields_, component);
}

void TDataSet::CheckActive(const char* what) const {
  if (!Active()) throw EDatabaseError(std::string("cannot ") + what + ": " + (Name().empty() ? "the dataset" : Name()) + " is closed");
}

void TDataSet::SetActive(bool active) {
  if (Loading()) {
    streamedActive_ = active;
    return;
  }
  if (active == Active()) return;
  if (active) {
    std::vector<std::string> names = InternalOpen();
    for (size_t i = 0; i < names.size(); ++i) {
      auto* f = new TField(this);
      f->dataSet_ = this;
      f->fieldNo_ = int(i);
      f->fieldName_ = std::move(names[i]);
      fields_.push_back(f);
    }
    bof_ = true;
    eof_ = RecordCount() == 0;
    SetState(TDataSetState::dsBrowse);
  } else {
    if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert) InternalCancel();
    InternalClose();
    bof_ = eof_ = true;
    SetState(TDataSetState::dsInactive);
    DestroyFields();
  }
}

void TDataSet::DestroyFields() {
  while (!fields_.empty()) {
    TField* f = fields_.back();
    fields_.pop_back();
    f->Free();
  }
}

// Changes the state and tells the links: opening and closing are "active changed", the others
// "editing changed".
void TDataSet::SetState(TDataSetState state) {
  if (state == state_) return;
  const bool activeChange = (state == TDataSetState::dsInactive) != (state_ == TDataSetState::dsInactive);
  state_ = state;
  if (activeChange && ControlsDisabled()) activeChangedWhileDisabled_ = true;
  DataEvent(TDataEvent::deUpdateState, activeChange ? 1 : 0);
}

TField* TDataSet::FindField(std::string_view name) const noexcept {
  for (TField* f : fields_)
    if (EqualsIgnoringAsciiCase(f->FieldName(), name)) return f;
  return nullptr;
}

TField* TDataSet::FieldByName(std::string_view name) const {
  TField* f = FindField(name);
  if (!f) throw EDatabaseError("field '" + std::string(name) + "' not found");
  return f;
}

void TDataSet::CheckBrowseMode() {
  if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert) Post();
}

void TDataSet::First() {
  CheckActive("move");
  CheckBrowseMode();
  const int before = RecNo();
  InternalFirst();
  bof_ = true;
  eof_ = IsEmpty();
  DataEvent(TDataEvent::deDataSetScroll, RecNo() - before);
}

void TDataSet::Last() {
  CheckActive("move");
  CheckBrowseMode();
  const int before = RecNo();
  InternalLast();
  eof_ = true;
  bof_ = IsEmpty();
  DataEvent(TDataEvent::deDataSetScroll, RecNo() - before);
}

int TDataSet::MoveBy(int distance) {
  CheckActive("move");
  CheckBrowseMode();
  bool bof = bof_, eof = eof_;
  const int moved = InternalMoveBy(distance, bof, eof);
  bof_ = bof;
  eof_ = eof;
  if (moved != 0) DataEvent(TDataEvent::deDataSetScroll, moved);
  return moved;
}

bool TDataSet::Locate(std::string_view keyField, const Variant& value) {
  CheckActive("locate");
  CheckBrowseMode();
  TField* f = FieldByName(keyField);
  const std::string bookmark = Bookmark();
  const int before = RecNo();
  bool found = false;
  {
    DisableControls();
    // no "dataset changed" for a locate: the scroll below tells the links
    ScopeExit quiet([this] { --disableCount_; });
    for (InternalFirst(); RecNo() >= 0; ) {
      if (value.IsNull() ? f->IsNull() : (!f->IsNull() && f->AsString() == value.AsString())) {
        found = true;
        break;
      }
      bool b = false, e = false;
      if (InternalMoveBy(1, b, e) == 0) break;
    }
    if (!found && !bookmark.empty()) InternalGotoBookmark(bookmark);
  }
  if (found) {
    bof_ = eof_ = false;
    DataEvent(TDataEvent::deDataSetScroll, RecNo() - before);
  }
  return found;
}

void TDataSet::Edit() {
  CheckActive("edit");
  if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert) return;
  if (!CanModify()) throw EDatabaseError("cannot modify a read-only dataset");
  InternalEdit();
  SetState(TDataSetState::dsEdit);
}

void TDataSet::Insert() {
  CheckActive("insert");
  CheckBrowseMode();
  InternalInsert();
  SetState(TDataSetState::dsInsert);
  DataEvent(TDataEvent::deDataSetChange);
}

void TDataSet::Append() { Insert(); }

void TDataSet::Post() {
  CheckActive("post");
  if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert) return;
  DataEvent(TDataEvent::deUpdateRecord);
  InternalPost();
  SetState(TDataSetState::dsBrowse);
  DataEvent(TDataEvent::deDataSetChange);
}

void TDataSet::Cancel() {
  if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert) return;
  InternalCancel();
  SetState(TDataSetState::dsBrowse);
  DataEvent(TDataEvent::deDataSetChange);
}

void TDataSet::Delete() {
  CheckActive("delete");
  if (state_ == TDataSetState::dsInsert) {
    Cancel();
    return;
  }
  if (IsEmpty()) throw EDatabaseError("cannot delete: there is no record");
  if (!CanModify()) throw EDatabaseError("cannot modify a read-only dataset");
  if (state_ == TDataSetState::dsEdit) {
    InternalCancel();
    SetState(TDataSetState::dsBrowse);
  }
  InternalDelete();
  bof_ = RecNo() <= 0;
  eof_ = IsEmpty();
  DataEvent(TDataEvent::deDataSetChange);
}

std::string TDataSet::Bookmark() const { return Active() ? InternalBookmark() : std::string(); }

bool TDataSet::BookmarkValid(const std::string& bookmark) const {
  return Active() && !bookmark.empty() && InternalBookmarkValid(bookmark);
}

void TDataSet::GotoBookmark(const std::string& bookmark) {
  CheckActive("move");
  CheckBrowseMode();
  const int before = RecNo();
  InternalGotoBookmark(bookmark);
  bof_ = eof_ = false;
  DataEvent(TDataEvent::deDataSetScroll, RecNo() - before);
}

void TDataSet::EnableControls() {
  if (disableCount_ == 0 || --disableCount_ > 0) return;
  if (activeChangedWhileDisabled_) {
    activeChangedWhileDisabled_ = false;
    DataEvent(TDataEvent::deUpdateState, 2);  // links re-activate even when the flag ends unchanged
  }
  if (Active()) DataEvent(TDataEvent::deDataSetChange);
}

bool TDataSet::AppendFieldText(int field, std::string& out) const {
  bool isNull = true;
  out += FieldText(field, isNull);
  return isNull;
}

void TDataSet::DataEvent(TDataEvent event, std::intptr_t info) {
  if (ControlsDisabled()) return;
  for (TDataSource* s : std::vector<TDataSource*>(sources_))
    if (std::find(sources_.begin(), sources_.end(), s) != sources_.end()) s->NotifyLinks(event, info);
}

void TDataSet::AddDataSource(TDataSource* source) {
  if (std::find(sources_.begin(), sources_.end(), source) == sources_.end()) sources_.push_back(source);
}

void TDataSet::RemoveDataSource(TDataSource* source) { std::erase(sources_, source); }

}  // namespace bus
