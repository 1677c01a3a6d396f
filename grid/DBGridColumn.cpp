#include "grid/DBGridColumn.h"

#include "framework/Properties.h"

namespace bus {

const TClassInfo& TrgDBGridColumn::StaticClassInfo() {
  using C = TrgDBGridColumn;
  static const TClassInfo info =
      TClassBuilder<C>("TrgDBGridColumn", TrgDBTreeListColumn::StaticClassInfo())
          .Creatable()
          .Enum("SummaryType", &C::SummaryType, &C::SetSummaryType, kSummaryTypeNames, TrgSummaryType::cstNone)
          .Enum("SummaryFooterType", &C::SummaryFooterType, &C::SetSummaryFooterType, kSummaryTypeNames,
                TrgSummaryType::cstNone)
          .Event("OnSummary", &C::OnSummary)
          .Event("OnSummaryFooter", &C::OnSummaryFooter)
          .Event("OnDrawSummaryFooter", &C::OnDrawSummaryFooter)
          .Event("OnCustomDraw", &C::OnCustomDraw)
          .Event("OnCustomDrawHeader", &C::OnCustomDrawHeader)
          .Build();
  return info;
}

}  // namespace bus
