// The column class of the database grid: a bound column with summary settings (summaries are not
// computed by this grid; the settings are kept for descriptions that store them).
#pragma once

#include "grid/DBTreeListColumn.h"

namespace bus {

class TrgDBGridColumn : public TrgDBTreeListColumn {
  BUS_CLASS(TrgDBGridColumn)
public:
  explicit TrgDBGridColumn(TComponent* owner) : TrgDBTreeListColumn(owner) {}

  TrgSummaryType SummaryType() const noexcept { return summaryType_; }
  void SetSummaryType(TrgSummaryType v) noexcept { summaryType_ = v; }
  TrgSummaryType SummaryFooterType() const noexcept { return summaryFooterType_; }
  void SetSummaryFooterType(TrgSummaryType v) noexcept { summaryFooterType_ = v; }

  TNotifyEvent OnSummary;             // published (not raised)
  TNotifyEvent OnSummaryFooter;       // published (not raised)
  TNotifyEvent OnDrawSummaryFooter;   // published (not raised)
  TNotifyEvent OnCustomDraw;          // published (not raised)
  TNotifyEvent OnCustomDrawHeader;    // published (not raised)

private:
  TrgSummaryType summaryType_ = TrgSummaryType::cstNone;        // group summary kind
  TrgSummaryType summaryFooterType_ = TrgSummaryType::cstNone;  // footer summary kind
};

}  // namespace bus
