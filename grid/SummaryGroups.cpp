#include "grid/SummaryGroups.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TrgSummaryGroup::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TrgSummaryGroup>("TrgSummaryGroup", TCollectionItem::StaticClassInfo())
                                     .Text("Name", &TrgSummaryGroup::Name, &TrgSummaryGroup::SetName)
                                     .Build();
  return info;
}

const TClassInfo& TrgSummaryGroups::StaticClassInfo() {
  static const TClassInfo info{"TrgSummaryGroups", &TCollection::StaticClassInfo(), {}, {}};
  return info;
}

}  // namespace bus
