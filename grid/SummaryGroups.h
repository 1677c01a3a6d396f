// Summary groups of the database grid: named sets of column summaries. The grid keeps them for
// descriptions that store them; it computes no summaries.
#pragma once

#include <string>

#include "framework/Collection.h"

namespace bus {

class TrgSummaryGroup : public TCollectionItem {
  BUS_CLASS(TrgSummaryGroup)
public:
  explicit TrgSummaryGroup(TCollection* collection) : TCollectionItem(collection) {}
  const std::string& Name() const noexcept { return name_; }
  void SetName(const std::string& v) { name_ = v; }

private:
  std::string name_;  // group name
};

class TrgSummaryGroups : public TOwnedCollection<TrgSummaryGroup> {
  BUS_CLASS(TrgSummaryGroups)
};

}  // namespace bus
