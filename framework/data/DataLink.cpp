#include "framework/data/DataLink.h"

#include "framework/data/DataSource.h"

namespace bus {

TDataLink::~TDataLink() {
  if (dataSource_) dataSource_->RemoveLink(this);
}

void TDataLink::SetDataSource(TDataSource* source) {
  if (source == dataSource_) return;
  if (dataSource_) dataSource_->RemoveLink(this);
  if (source) source->AddLink(this);  // sets dataSource_
  else dataSource_ = nullptr;
  if (Active() != wasActive_) {
    wasActive_ = Active();
    ActiveChanged();
  }
}

TDataSet* TDataLink::DataSet() const noexcept { return dataSource_ ? dataSource_->DataSet() : nullptr; }

bool TDataLink::Active() const noexcept {
  return dataSource_ && dataSource_->Enabled() && dataSource_->DataSet() && dataSource_->DataSet()->Active();
}

bool TDataLink::Editing() const noexcept {
  const TDataSetState s = dataSource_ ? dataSource_->State() : TDataSetState::dsInactive;
  return s == TDataSetState::dsEdit || s == TDataSetState::dsInsert;
}

void TDataLink::Cancel() {
  if (modified_) {
    modified_ = false;
    RecordChanged(nullptr);
  } else if (TDataSet* ds = DataSet()) {
    ds->Cancel();
  }
}

bool TDataLink::Edit() {
  if (Active() && !Editing()) DataSet()->Edit();
  return Editing();
}

void TDataLink::DataEvent(TDataEvent event, std::intptr_t info) {
  switch (event) {
    case TDataEvent::deUpdateState:
      // info 2: the dataset was closed and opened while notifications were off
      if (Active() != wasActive_ || info == 2) {
        wasActive_ = Active();
        wasEditing_ = Editing();
        ActiveChanged();
      } else if (Editing() != wasEditing_) {
        wasEditing_ = Editing();
        EditingChanged();
      }
      break;
    case TDataEvent::deFieldChange:
    case TDataEvent::deRecordChange:
      modified_ = false;
      RecordChanged(reinterpret_cast<TField*>(info));
      break;
    case TDataEvent::deDataSetChange:
      modified_ = false;
      DataSetChanged();
      break;
    case TDataEvent::deDataSetScroll:
      DataSetScrolled(int(info));
      break;
    case TDataEvent::deLayoutChange:
      LayoutChanged();
      break;
    case TDataEvent::deUpdateRecord:
      UpdateData();
      modified_ = false;
      break;
    case TDataEvent::deFocusControl:
      FocusControl(reinterpret_cast<TField*>(info));
      break;
  }
}

}  // namespace bus
