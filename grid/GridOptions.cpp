#include "grid/GridOptions.h"

namespace bus {

const TIdentList kOptionsBehaviorNames{
    "rgoAnsiSort", "rgoAutoCopySelectedToClipboard", "rgoAutoSearch", "rgoAutoSort", "rgoBandButtonClicking",
    "rgoCaseInsensitive", "rgoCellMultiSelect", "rgoCollapsedReload", "rgoDblClick", "rgoDragCollapse",
    "rgoDragExpand", "rgoDragScroll", "rgoEditing", "rgoEnterShowEditor", "rgoEnterThrough", "rgoExtMultiSelect",
    "rgoHeaderButtonClicking", "rgoHorzThrough", "rgoImmediateEditor", "rgoMouseScroll", "rgoMultiSelect",
    "rgoMultiSort", "rgoSeekDetail", "rgoShowHourGlass", "rgoStoreToIniFile", "rgoStoreToRegistry", "rgoTabs",
    "rgoTabThrough", "rgoVertThrough"};

const TIdentList kOptionsCustomizeNames{
    "rgoBandMoving", "rgoBandPanelSizing", "rgoBandSizing",        "rgoColumnMoving",   "rgoColumnSizing", "rgoExtCustomizing",
    "rgoFullSizing", "rgoHeaderPanelSizing", "rgoKeepColumnWidth", "rgoNotHideColumn", "rgoRowSizing"};

const TIdentList kOptionsDBNames{
    "rgoCanAppend",   "rgoCancelOnExit",     "rgoCanDelete",    "rgoCanInsert",     "rgoCanNavigation",
    "rgoConfirmDelete", "rgoLoadAllRecords", "rgoPartialLoad",  "rgoResetColumnFocus", "rgoSmartRefresh",
    "rgoSmartReload", "rgoSyncSelection",    "rgoUseBookmarks", "rgoUseLocate"};

const TIdentList kOptionsViewNames{
    "rgoAutoCalcPreviewLines", "rgoAutoHeaderPanelHeight", "rgoAutoWidth", "rgoBandHeaderWidth", "rgoDrawEndEllipsis",
    "rgoHideFocusRect", "rgoHotTrack", "rgoIndicator", "rgoInvertSelect", "rgoPreview", "rgoRowAutoHeight",
    "rgoRowSelect", "rgoShowButtonAlways", "rgoUseBitmap"};

const TIdentList kColumnSortNames{"csNone", "csDown", "csUp"};
const TIdentList kLookAndFeelNames{"lfStandard", "lfFlat", "lfUltraFlat"};
const TIdentList kGridBorderStyleNames{"bsNone", "bsSingle"};
const TIdentList kScrollBarsNames{"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};
const TIdentList kBandFixedNames{"bfNone", "bfLeft", "bfRight"};
const TIdentList kVertAlignmentNames{"tlTop", "tlCenter", "tlBottom"};
const TIdentList kEditCharCaseNames{"ecNormal", "ecUpperCase", "ecLowerCase"};
const TIdentList kSummaryTypeNames{"cstNone", "cstAvg", "cstCount", "cstMax", "cstMin", "cstSum"};
const TIdentList kFilterStatusNames{"fsAuto", "fsAlways", "fsNever"};

}  // namespace bus
