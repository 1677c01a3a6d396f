// A data source: the point data-aware controls link to; it forwards its dataset's notifications
// to every link, and drops the dataset when that is freed.
#pragma once

#include <vector>

#include "framework/Component.h"
#include "framework/data/DataSet.h"

namespace bus {

class TDataLink;

class TDataSource : public TComponent {
  BUS_CLASS(TDataSource)
public:
  explicit TDataSource(TComponent* owner) : TComponent(owner) {}

  TDataSet* DataSet() const noexcept { return dataSet_; }
  void SetDataSet(TDataSet* dataSet);
  // A disabled source looks inactive to its links.
  bool Enabled() const noexcept { return enabled_; }
  void SetEnabled(bool enabled);
  TDataSetState State() const noexcept;
  int LinkCount() const noexcept { return int(links_.size()); }

  void AddLink(TDataLink* link);
  void RemoveLink(TDataLink* link);
  // Passes a dataset notification on to every link (in link order).
  void NotifyLinks(TDataEvent event, std::intptr_t info);

protected:
  void Notification(TComponent* component, TOperation operation) override;
  void BeforeDestruction() override;

private:
  TDataSet* dataSet_ = nullptr;      // the dataset shown; null: none
  std::vector<TDataLink*> links_;    // controls' links, not owned
  bool enabled_ = true;              // see Enabled
};

}  // namespace bus
