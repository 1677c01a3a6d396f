#include "framework/data/DataSource.h"

#include <algorithm>

#include "framework/Properties.h"
#include "framework/data/DataLink.h"

namespace bus {

const TClassInfo& TDataSource::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TDataSource>("TDataSource", TComponent::StaticClassInfo())
                                     .Creatable()
                                     .Reference<TDataSet>("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet)
                                     .Bool("Enabled", &TDataSource::Enabled, &TDataSource::SetEnabled, true)
                                     .Build();
  return info;
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
  if (dataSet == dataSet_) return;
  if (dataSet_) {
    dataSet_->RemoveDataSource(this);
    dataSet_->RemoveFreeNotification(this);
  }
  dataSet_ = dataSet;
  if (dataSet_) {
    dataSet_->AddDataSource(this);
    dataSet_->FreeNotification(this);
  }
  NotifyLinks(TDataEvent::deUpdateState, 1);
}

void TDataSource::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  NotifyLinks(TDataEvent::deUpdateState, 1);
}

TDataSetState TDataSource::State() const noexcept {
  return dataSet_ && enabled_ ? dataSet_->State() : TDataSetState::dsInactive;
}

void TDataSource::AddLink(TDataLink* link) {
  if (std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
  link->dataSource_ = this;
}

void TDataSource::RemoveLink(TDataLink* link) {
  std::erase(links_, link);
  link->dataSource_ = nullptr;
}

void TDataSource::NotifyLinks(TDataEvent event, std::intptr_t info) {
  // a link may drop itself (or another) while it handles the notification
  for (TDataLink* link : std::vector<TDataLink*>(links_))
    if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->DataEvent(event, info);
}

void TDataSource::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == dataSet_) SetDataSet(nullptr);
}

void TDataSource::BeforeDestruction() {
  SetDataSet(nullptr);
  for (TDataLink* link : std::vector<TDataLink*>(links_)) link->SetDataSource(nullptr);
  TComponent::BeforeDestruction();
}

}  // namespace bus
