#include "grid/DBGrid.h"

#include "framework/ClassRegistry.h"
#include "framework/Properties.h"
#include "framework/controls/PropertyIdents.h"
#include "grid/DBGridColumn.h"
#include "grid/FontProperties.h"

namespace bus {

namespace {

// An event field of a base class as a member of TrgDBGrid, for publishing.
template <class E, class B>
constexpr E TrgDBGrid::*Own(E B::*member) {
  return static_cast<E TrgDBGrid::*>(member);
}

}  // namespace

const TClassInfo& TrgDBGrid::StaticClassInfo() {
  static const TClassInfo info = [] {
    using G = TrgDBGrid;
    TClassInfo i =
        TClassBuilder<G>("TrgDBGrid", TCustomrgDBGrid::StaticClassInfo())
            .Creatable()
            .Bool("TabStop", &G::TabStop, &G::SetTabStop, true)
            .Int("Color", &G::Color, &G::SetColor, clWindow, &kColorIdents)
            .Bool("ParentColor", &G::ParentColor, &G::SetParentColor, false)
            .Collection("Bands", &G::Bands)
            .Bool("DefaultLayout", &G::DefaultLayout, &G::SetDefaultLayout, true)
            .Int("HeaderPanelRowCount", &G::HeaderPanelRowCount, &G::SetHeaderPanelRowCount, 1)
            .Int("HeaderPanelMaxRowCount", &G::HeaderPanelMaxRowCount, &G::SetHeaderPanelMaxRowCount, 5)
            .Int("BandMaxRowCount", &G::BandMaxRowCount, &G::SetBandMaxRowCount, 5)
            .Int("HeaderMinRowCount", &G::HeaderMinRowCount, &G::SetHeaderMinRowCount, 1)
            .Int("BandRowCount", &G::BandRowCount, &G::SetBandRowCount, 1)
            .Text("KeyField", &G::KeyField, &G::SetKeyField)
            .Reference<TDataSource>("DataSource", &G::DataSource, &G::SetDataSource)
            .Bool("DefaultFields", &G::DefaultFields, &G::SetDefaultFields, false)
            .Int("PartialLoadBufferCount", &G::PartialLoadBufferCount, &G::SetPartialLoadBufferCount, 100)
            .Collection("SummaryGroups", &G::SummaryGroups)
            .Text("SummarySeparator", &G::SummarySeparator, &G::SetSummarySeparator)
            .Enum("BorderStyle", &G::BorderStyle, &G::SetBorderStyle, kGridBorderStyleNames, TrgBorderStyle::bsSingle)
            .Enum("ScrollBars", &G::ScrollBars, &G::SetScrollBars, kScrollBarsNames, TrgScrollBars::ssBoth)
            .Enum("LookAndFeel", &G::LookAndFeel, &G::SetLookAndFeel, kLookAndFeelNames, TrgLookAndFeel::lfStandard)
            .Bool("ShowHeader", &G::ShowHeader, &G::SetShowHeader, true)
            .Bool("ShowGrid", &G::ShowGrid, &G::SetShowGrid, true)
            .Bool("ShowPreviewGrid", &G::ShowPreviewGrid, &G::SetShowPreviewGrid, true)
            .Bool("ShowBands", &G::ShowBands, &G::SetShowBands, false)
            .Bool("ShowNewItemRow", &G::ShowNewItemRow, &G::SetShowNewItemRow, false)
            .Bool("ShowRowFooter", &G::ShowRowFooter, &G::SetShowRowFooter, false)
            .Bool("ShowGroupPanel", &G::ShowGroupPanel, &G::SetShowGroupPanel, false)
            .Bool("ShowSummaryFooter", &G::ShowSummaryFooter, &G::SetShowSummaryFooter, false)
            .Int("HeaderColor", &G::HeaderColor, &G::SetHeaderColor, clBtnFace, &kColorIdents)
            .Int("BandColor", &G::BandColor, &G::SetBandColor, clBtnFace, &kColorIdents)
            .Int("GroupNodeColor", &G::GroupNodeColor, &G::SetGroupNodeColor, clBtnFace, &kColorIdents)
            .Int("GridLineColor", &G::GridLineColor, &G::SetGridLineColor, clNone, &kColorIdents)
            .Int("HighlightColor", &G::HighlightColor, &G::SetHighlightColor, clHighlight, &kColorIdents)
            .Int("HighlightTextColor", &G::HighlightTextColor, &G::SetHighlightTextColor, clHighlightText,
                 &kColorIdents)
            .Bool("HideSelection", &G::HideSelection, &G::SetHideSelection, false)
            .Bool("HideFocusRect", &G::HideFocusRect, &G::SetHideFocusRect, false)
            .Int("HideSelectionColor", &G::HideSelectionColor, &G::SetHideSelectionColor, clHighlight, &kColorIdents)
            .Int("HideSelectionTextColor", &G::HideSelectionTextColor, &G::SetHideSelectionTextColor,
                 clHighlightText, &kColorIdents)
            .Int("FixedBandLineColor", &G::FixedBandLineColor, &G::SetFixedBandLineColor, clWindowFrame,
                 &kColorIdents)
            .Int("FixedBandLineWidth", &G::FixedBandLineWidth, &G::SetFixedBandLineWidth, 2)
            .Int("RowSeparatorLineWidth", &G::RowSeparatorLineWidth, &G::SetRowSeparatorLineWidth, 1)
            .Int("ArrowsColor", &G::ArrowsColor, &G::SetArrowsColor, clLime, &kColorIdents)
            .Int("DefaultRowHeight", &G::DefaultRowHeight, &G::SetDefaultRowHeight, 17)
            .Int("MaxRowLineCount", &G::MaxRowLineCount, &G::SetMaxRowLineCount, -1)
            .Int("PreviewLines", &G::PreviewLines, &G::SetPreviewLines, 2)
            .Int("IndentDesc", &G::IndentDesc, &G::SetIndentDesc, 20)
            .Int("GrIndicatorWidth", &G::GrIndicatorWidth, &G::SetGrIndicatorWidth, 12)
            .Bool("DblClkExpanding", &G::DblClkExpanding, &G::SetDblClkExpanding, true)
            .Bool("AutoExpandOnSearch", &G::AutoExpandOnSearch, &G::SetAutoExpandOnSearch, true)
            .Int("WaitForExpandNodeTime", &G::WaitForExpandNodeTime, &G::SetWaitForExpandNodeTime, 500)
            .Object<TrgDBGridFilter>("Filter", &G::Filter)
            .Enum("FilterStatus", &G::FilterStatus, &G::SetFilterStatus, kFilterStatusNames, TrgFilterStatus::fsAuto)
            .SetOf("OptionsBehavior", &G::OptionsBehavior, &G::SetOptionsBehavior, kOptionsBehaviorNames,
                   kDefaultOptionsBehavior)
            .SetOf("OptionsCustomize", &G::OptionsCustomize, &G::SetOptionsCustomize, kOptionsCustomizeNames,
                   kDefaultOptionsCustomize)
            .SetOf("OptionsDB", &G::OptionsDB, &G::SetOptionsDB, kOptionsDBNames, kDefaultOptionsDB)
            .SetOf("OptionsView", &G::OptionsView, &G::SetOptionsView, kOptionsViewNames, kDefaultOptionsView)
            .Bool("UseBookmarks", &G::UseBookmarks, &G::SetUseBookmarks, true)
            .Bool("PartialLoad", &G::PartialLoad, &G::SetPartialLoad, false)
            .Event("OnChangeNode", Own(&G::OnChangeNode))
            .Event("OnChangeNodeEx", Own(&G::OnChangeNodeEx))
            .Event("OnDeletion", Own(&G::OnDeletion))
            .Event("OnColumnClick", Own(&G::OnColumnClick))
            .Event("OnColumnSorting", Own(&G::OnColumnSorting))
            .Event("OnDragEndHeader", Own(&G::OnDragEndHeader))
            .Event("OnHeaderMoved", Own(&G::OnHeaderMoved))
            .Event("OnChangedColumnsWidth", Own(&G::OnChangedColumnsWidth))
            .Event("OnChangeColumn", Own(&G::OnChangeColumn))
            .Event("OnClearNodeData", Own(&G::OnClearNodeData))
            .Event("OnRefreshNodeData", Own(&G::OnRefreshNodeData))
            .Event("OnCompare", Own(&G::OnCompare))
            .Build();
    AddFontProperties(i, "HeaderFont", [](const TObject& o) { return static_cast<const G&>(o).HeaderFont(); });
    AddFontProperties(i, "BandFont", [](const TObject& o) { return static_cast<const G&>(o).BandFont(); });
    return i;
  }();
  return info;
}

void RegisterGridClasses() {
  RegisterClasses({&TrgDBGrid::StaticClassInfo(), &TrgDBGridColumn::StaticClassInfo(),
                   &TrgDBTreeListColumn::StaticClassInfo(), &TrgTreeListColumn::StaticClassInfo()});
}

}  // namespace bus
