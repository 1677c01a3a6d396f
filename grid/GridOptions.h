// The grid's switches and small enumerations: the four published option sets with their member
// names and defaults, the column sort state, the look and feel and the other enumerations that grid
// and column properties take. Portable: no platform header.
#pragma once

#include "framework/Properties.h"
#include "framework/Set.h"

namespace bus {

// OptionsBehavior members.
enum TrgDBGridOptionBehaviorMember {
  rgoAnsiSort, rgoAutoCopySelectedToClipboard, rgoAutoSearch, rgoAutoSort, rgoBandButtonClicking,
  rgoCaseInsensitive, rgoCellMultiSelect, rgoCollapsedReload, rgoDblClick, rgoDragCollapse,
  rgoDragExpand, rgoDragScroll, rgoEditing, rgoEnterShowEditor, rgoEnterThrough, rgoExtMultiSelect,
  rgoHeaderButtonClicking, rgoHorzThrough, rgoImmediateEditor, rgoMouseScroll, rgoMultiSelect,
  rgoMultiSort, rgoSeekDetail, rgoShowHourGlass, rgoStoreToIniFile, rgoStoreToRegistry, rgoTabs,
  rgoTabThrough, rgoVertThrough
};
using TrgDBGridOptionBehavior = TSet<TrgDBGridOptionBehaviorMember>;

// OptionsCustomize members.
enum TrgDBGridOptionCustomizeMember {
  rgoBandMoving, rgoBandPanelSizing, rgoBandSizing, rgoColumnMoving, rgoColumnSizing, rgoExtCustomizing,
  rgoFullSizing, rgoHeaderPanelSizing, rgoKeepColumnWidth, rgoNotHideColumn, rgoRowSizing
};
using TrgDBGridOptionCustomize = TSet<TrgDBGridOptionCustomizeMember>;

// OptionsDB members.
enum TrgDBGridOptionDBMember {
  rgoCanAppend, rgoCancelOnExit, rgoCanDelete, rgoCanInsert, rgoCanNavigation, rgoConfirmDelete,
  rgoLoadAllRecords, rgoPartialLoad, rgoResetColumnFocus, rgoSmartRefresh, rgoSmartReload,
  rgoSyncSelection, rgoUseBookmarks, rgoUseLocate
};
using TrgDBGridOptionDB = TSet<TrgDBGridOptionDBMember>;

// OptionsView members.
enum TrgDBGridOptionViewMember {
  rgoAutoCalcPreviewLines, rgoAutoHeaderPanelHeight, rgoAutoWidth, rgoBandHeaderWidth, rgoDrawEndEllipsis,
  rgoHideFocusRect, rgoHotTrack, rgoIndicator, rgoInvertSelect, rgoPreview, rgoRowAutoHeight, rgoRowSelect,
  rgoShowButtonAlways, rgoUseBitmap
};
using TrgDBGridOptionView = TSet<TrgDBGridOptionViewMember>;

inline constexpr TrgDBGridOptionBehavior kDefaultOptionsBehavior{
    rgoAutoSort, rgoDragScroll, rgoEditing, rgoEnterShowEditor, rgoImmediateEditor, rgoTabThrough, rgoVertThrough};
inline constexpr TrgDBGridOptionCustomize kDefaultOptionsCustomize{rgoBandMoving, rgoBandSizing, rgoColumnMoving,
                                                                   rgoColumnSizing};
inline constexpr TrgDBGridOptionDB kDefaultOptionsDB{rgoCancelOnExit,  rgoCanDelete,      rgoCanInsert,
                                                     rgoCanNavigation, rgoConfirmDelete, rgoUseBookmarks};
inline constexpr TrgDBGridOptionView kDefaultOptionsView{rgoBandHeaderWidth, rgoUseBitmap};

// rgoInvertSelect and rgoRowSelect exclude each other: a set holding both keeps rgoInvertSelect.
constexpr TrgDBGridOptionView NormalizeOptionsView(TrgDBGridOptionView v) noexcept {
  if (v.Contains(rgoInvertSelect)) v.Exclude(rgoRowSelect);
  return v;
}

// Sort state of a column (ordinals 0, 1, 2).
enum class TrgTreeListColumnSort { csNone, csDown, csUp };

enum class TrgLookAndFeel { lfStandard, lfFlat, lfUltraFlat };
enum class TrgBorderStyle { bsNone, bsSingle };
enum class TrgScrollBars { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TrgBandFixed { bfNone, bfLeft, bfRight };
enum class TrgVertAlignment { tlTop, tlCenter, tlBottom };
enum class TrgEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum class TrgSummaryType { cstNone, cstAvg, cstCount, cstMax, cstMin, cstSum };
enum class TrgFilterStatus { fsAuto, fsAlways, fsNever };

// Identifier lists for published properties, in ordinal order.
extern const TIdentList kOptionsBehaviorNames;
extern const TIdentList kOptionsCustomizeNames;
extern const TIdentList kOptionsDBNames;
extern const TIdentList kOptionsViewNames;
extern const TIdentList kColumnSortNames;
extern const TIdentList kLookAndFeelNames;
extern const TIdentList kGridBorderStyleNames;
extern const TIdentList kScrollBarsNames;
extern const TIdentList kBandFixedNames;
extern const TIdentList kVertAlignmentNames;
extern const TIdentList kEditCharCaseNames;
extern const TIdentList kSummaryTypeNames;
extern const TIdentList kFilterStatusNames;

}  // namespace bus
