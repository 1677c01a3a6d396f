#include "grid/CustomDBGrid.h"

#include <algorithm>

#include "core/ScopeExit.h"
#include "core/UpdateBatch.h"
#include "core/WideText.h"
#include "framework/Properties.h"
#include "framework/controls/Screen.h"
#include "grid/DBGridNode.h"
#include "grid/DBTreeListColumn.h"
#include "grid/GridDataLink.h"
#include "grid/NodeSort.h"

namespace bus {

namespace {

std::vector<TCustomrgDBGrid*>& GridList() {
  static std::vector<TCustomrgDBGrid*> grids;
  return grids;
}

bool Editing(TDataSetState s) {
  return s == TDataSetState::dsEdit || s == TDataSetState::dsInsert || s == TDataSetState::dsSetKey;
}

// The locale's case-sensitive collation of two UTF-8 texts.
int Collate(std::string_view a, std::string_view b) {
  const std::wstring wa = Widen(std::string(a)), wb = Widen(std::string(b));
  return CompareStringW(LOCALE_USER_DEFAULT, 0, wa.c_str(), int(wa.size()), wb.c_str(), int(wb.size())) - CSTR_EQUAL;
}

// The system's upper-casing of a UTF-8 text.
std::string UpperCase(std::string_view text) {
  std::wstring w = Widen(std::string(text));
  if (!w.empty()) CharUpperBuffW(w.data(), DWORD(w.size()));
  return Narrow(w);
}

// Shows the hourglass while an operation runs (when asked to), restoring the cursor after it.
class HourGlass {
public:
  explicit HourGlass(bool show) : saved_(Screen().Cursor()), show_(show) {
    if (show_) Screen().SetCursor(crHourGlass);
  }
  ~HourGlass() {
    if (show_) Screen().SetCursor(saved_);
  }
  HourGlass(const HourGlass&) = delete;
  HourGlass& operator=(const HourGlass&) = delete;

private:
  TCursor saved_;  // cursor before
  bool show_;      // the hourglass is shown
};

}  // namespace

const TClassInfo& TCustomrgDBGrid::StaticClassInfo() {
  static const TClassInfo info{"TCustomrgDBGrid", &TCustomrgDBTreeListControl::StaticClassInfo(), {}, {}};
  return info;
}

TCustomrgDBGrid::TCustomrgDBGrid(TComponent* owner)
    : TCustomrgDBTreeListControl(owner),
      summaryGroups_(std::make_unique<TrgSummaryGroups>()),
      filter_(std::make_unique<TrgDBGridFilter>()) {
  auto link = std::make_unique<TrgGridDataLink>(this);
  gridLink_ = link.get();
  gridLink_->SetLoadAll(LoadAllMode());
  SetDataLink(std::move(link));
  GridList().push_back(this);
}

TCustomrgDBGrid::~TCustomrgDBGrid() {
  std::erase(GridList(), this);
  if (GridList().empty()) GridList().shrink_to_fit();  // the list goes when the last grid goes
}

const std::vector<TCustomrgDBGrid*>& TCustomrgDBGrid::Grids() { return GridList(); }

void TCustomrgDBGrid::BeforeDestruction() {
  std::erase(GridList(), this);
  TCustomrgDBTreeListControl::BeforeDestruction();
}

TrgTreeListNode* TCustomrgDBGrid::CreateNode() { return new TrgDBGridNode(this); }

void TCustomrgDBGrid::LayoutChanged() {
  if (LoadAllMode() != loadAllLast_) {
    loadAllLast_ = LoadAllMode();
    gridLink_->SetLoadAll(loadAllLast_);
  }
  TCustomrgDBTreeListControl::LayoutChanged();
}

bool TCustomrgDBGrid::HeaderSortingEffective() const {
  return TCustomrgDBTreeListControl::HeaderSortingEffective() && LoadAllMode();
}

bool TCustomrgDBGrid::OtherGridNavigating() const {
  TDataSet* ds = DataSet();
  for (TCustomrgDBGrid* g : GridList())
    if (g != this && g->DataSet() == ds && (g->Busy() || g->Locating())) return true;
  return false;
}

// --- activation and loading -----------------------------------------------------------------------

void TCustomrgDBGrid::LinkActiveChanged() {
  if (Destroying()) {
    ClearNodes();
    return;
  }
  if (Loading()) return;  // Loaded activates once the whole form is read
  Activate();
}

void TCustomrgDBGrid::Activate() {
  UpdateBatch batch(*this);
  reloading_ = true;
  ScopeExit reloaded([this] { reloading_ = false; });
  HideEditor();
  ClearNodes();
  selection_.clear();
  pendingInsert_ = nullptr;
  keyField_ = nullptr;
  RebuildFieldMap(defaultFields_);
  ResolveColumnFields();
  LoadAllRecords();
}

void TCustomrgDBGrid::LoadAllRecords() {
  if (Loading()) return;
  busy_ = true;
  ScopeExit notBusy([this] { busy_ = false; });
  keyField_ = FindKeyField();
  TDataSet* ds = DataSet();
  if ((!keyField_ && OptionsDB().Contains(rgoCanNavigation)) || !ds || !ds->Active()) return;
  SetSelectionAnchorRaw(nullptr);
  ResolveColumnFields();
  if (savedTopKey_.IsEmpty()) {
    savedTopKey_ = Variant::Null();
    savedTopLevel_ = 0;
  }
  UpdateBatch quiet(*ds);  // its "dataset changed" at the end arrives while busy: ignored
  ScopeExit forgetSelection([this] { savedSelection_.clear(); });
  HourGlass hourGlass(OptionsBehavior().Contains(rgoShowHourGlass));
  if (Editing(ds->State())) ds->Cancel();
  const std::string bookmark = ds->Bookmark();
  const bool bof = ds->Bof(), eof = ds->Eof();
  const bool selecting = UseBookmarks() && !savedSelection_.empty();
  const bool findTop = !savedTopKey_.IsNull() && !savedTopKey_.IsEmpty();
  TrgTreeListNode* newTop = nullptr;
  {
    UpdateBatch batch(*this);
    ScopeFailure countLoaded([this] { recordCount_ = Count(); });  // the rows that made it
    ds->First();
    OnClearNodeData(this);
    std::int32_t number = 0;
    while (!ds->Eof()) {
      auto* node = static_cast<TrgDBGridNode*>(AddNode(nullptr, TrgNodeAttachMode::AddLast));
      if (selecting) {
        const std::string b = ds->Bookmark();
        if (auto it = std::lower_bound(savedSelection_.begin(), savedSelection_.end(), b);
            it != savedSelection_.end() && *it == b) {
          savedSelection_.erase(it);
          selection_.emplace_back(b, node);
        }
      }
      FillNode(node);
      node->SetLoadIndex(number);
      OnRefreshNodeData(this, node);
      if (findTop && !newTop && node->KeyValue() == savedTopKey_) newTop = node;
      ds->Next();
      ++number;
    }
    recordCount_ = number;
    if (TrgTreeListColumn* sorted = FirstSortedColumn()) SortRows(sorted);
  }
  // back to the record that was current, with BOF or EOF as they were
  if (ds->BookmarkValid(bookmark)) ds->GotoBookmark(bookmark);
  if (bof != eof) {
    if (bof) ds->Prior();
    else ds->Next();
  }
  if (newTop) SetTopNodeRaw(newTop);
  else if (!TopNode()) SetTopNodeRaw(FirstDisplayed());
}

void TCustomrgDBGrid::Reload() {
  UpdateBatch batch(*this);
  reloading_ = true;
  ScopeExit reloaded([this] {
    reloading_ = false;
    savedTopKey_ = Variant();
  });
  auto* top = dynamic_cast<TrgDBTreeListControlNode*>(TopNode());
  savedTopKey_ = top ? top->KeyValue() : Variant::Null();
  savedTopLevel_ = top ? top->Depth() : 0;
  savedSelection_.clear();
  for (const auto& s : selection_) savedSelection_.push_back(s.first);
  std::sort(savedSelection_.begin(), savedSelection_.end());
  ClearNodes();
  selection_.clear();
  LoadAllRecords();
}

TrgTreeListColumn* TCustomrgDBGrid::FirstSortedColumn() const {
  for (int i = 0; i < ColumnCount(); ++i)
    if (Columns(i)->Sorted() != TrgTreeListColumnSort::csNone) return Columns(i);
  return nullptr;
}

void TCustomrgDBGrid::SortRows(TrgTreeListColumn* column) {
  if (Count() < 2 || !column || column->Grid() != this) return;
  HourGlass hourGlass(OptionsBehavior().Contains(rgoShowHourGlass));
  TrgSortSettings s;
  s.column = column->DataIndex();
  s.descending = column->Sorted() == TrgTreeListColumnSort::csDown;
  auto* bound = dynamic_cast<TrgDBTreeListColumn*>(column);
  TField* field = bound ? bound->Field() : nullptr;
  s.stringValues = !field || field->DataType() == TFieldType::ftString || field->DataType() == TFieldType::ftUnknown;
  s.caseInsensitive = OptionsBehavior().Contains(rgoCaseInsensitive);
  s.ansiSort = OptionsBehavior().Contains(rgoAnsiSort);
  s.collate = Collate;
  s.upperCase = UpperCase;
  if (OnCompare) {
    s.compare = [this](TrgTreeListNode* a, TrgTreeListNode* b) {
      int result = 0;
      OnCompare(this, a, b, result);
      return result;
    };
  }
  std::vector<TrgTreeListNode*> order = RootList();
  SortNodes(order, s);
  ReorderRoots(std::move(order));
}

void TCustomrgDBGrid::SortByColumn(TrgTreeListColumn* column) { SortRows(column); }

void TCustomrgDBGrid::ColumnsChanged() {
  TCustomrgDBTreeListControl::ColumnsChanged();
  // a new column has no texts in the loaded rows yet
  if (!Loading() && !Destroying() && DataSet() && DataSet()->Active() && Count() > 0) Reload();
}

// --- dataset notifications ------------------------------------------------------------------------

void TCustomrgDBGrid::LinkDataSetChanged() {
  if (locating_) {
    locating_ = false;
    return;
  }
  if (busy_ || Loading()) return;
  if (OtherGridNavigating()) {
    LinkDataSetScrolled(0);
    return;
  }
  TDataSet* ds = DataSet();
  if (!ds) return;
  const TDataSetState state = ds->State();
  if (state != TDataSetState::dsEdit && state != TDataSetState::dsSetKey) {
    if (keyField_ && state == TDataSetState::dsInsert) {
      InsertedRecord();
    } else {
      Reload();
      SyncFocusToRecord();
    }
  }
  if (ds->State() != TDataSetState::dsInsert) {
    pendingInsert_ = nullptr;
    pendingKey_ = Variant();
  }
}

void TCustomrgDBGrid::LinkDataSetScrolled(int distance) { SyncFocusToRecord(); }

void TCustomrgDBGrid::InsertedRecord() {
  TDataSet* ds = DataSet();
  UpdateBatch batch(*this);
  TrgTreeListNode* focused = FocusedNode();
  while (focused && focused->HasChildren()) focused = focused->Child(0);
  TrgTreeListNode* node = nullptr;
  if (!focused || ds->Eof()) node = focused ? AddNode(focused, TrgNodeAttachMode::AddLast) : Add();
  else node = AddNode(focused, TrgNodeAttachMode::InsertBefore);
  auto* row = static_cast<TrgDBGridNode*>(node);
  MakeNodeVisible(row);
  FillNode(row);
  row->SetKeyValue(Variant::Null());
  row->SetLoadIndex(recordCount_);
  pendingInsert_ = row;
  pendingKey_ = Variant::Null();
  syncing_ = true;  // the dataset is already on the new record
  ScopeExit synced([this] { syncing_ = false; });
  ChangeFocus(row, true);
}

void TCustomrgDBGrid::LinkRecordChanged(TField* field) {
  TDataSet* ds = DataSet();
  if (!ds || Loading()) return;
  const TDataSetState state = ds->State();
  if (state == TDataSetState::dsSetKey || (state == TDataSetState::dsInsert && !pendingInsert_)) return;
  auto* node = dynamic_cast<TrgDBGridNode*>(FocusedNode());
  if (!node) return;
  // the row keeps its place: a changed record is sorted at the next load
  FillNode(node);
  OnRefreshNodeData(this, node);
  InvalidateRow(node);
}

void TCustomrgDBGrid::LinkLayoutChanged() {
  TCustomrgDBTreeListControl::LinkLayoutChanged();
  if (!Loading()) Reload();
}

// --- deleting -------------------------------------------------------------------------------------

void TCustomrgDBGrid::DeleteNodeRequest(TrgTreeListNode* node) { DeleteRecordOfNode(node); }

void TCustomrgDBGrid::DeleteRecordOfNode(TrgTreeListNode* node) {
  TDataSet* ds = DataSet();
  auto* row = dynamic_cast<TrgDBGridNode*>(node);
  if (!row || row->HasChildren() || !OptionsDB().Contains(rgoCanNavigation) || !ds || !ds->Active()) return;
  const Variant key = row->KeyValue();
  MoveRecordToNode(row);
  // only when the move reached the row's record
  if (!keyField_ || !(keyField_->AsVariant() == key)) return;
  pendingDeleteKey_ = key;
  ScopeExit deleted([this] { pendingDeleteKey_ = Variant(); });
  ds->Delete();  // its "dataset changed" reloads the rows and focuses the new current record
}

bool TCustomrgDBGrid::DeleteFocusedRecord() {
  TDataSet* ds = DataSet();
  TrgTreeListNode* focused = FocusedNode();
  if (!OptionsDB().Contains(rgoCanDelete) || !OptionsDB().Contains(rgoCanNavigation) || !keyField_ || !focused ||
      focused->HasChildren() || !ds || !ds->Active() || ds->IsEmpty() || !ds->CanModify())
    return false;
  if (OptionsDB().Contains(rgoConfirmDelete)) {
    const char* text = selection_.empty() ? "Delete record?" : "Delete all selected records?";
    const unsigned generation = NodesGeneration();
    const int answer = MessageBoxW(Handle(), Widen(text).c_str(), L"Confirm", MB_OKCANCEL | MB_ICONQUESTION);
    if (answer != IDOK) return false;
    // the box ran a message loop: the rows may have been replaced or the focus moved meanwhile,
    // and then the user did not confirm the row that is focused now
    if (generation != NodesGeneration() || FocusedNode() != focused) return false;
  }
  if (selection_.empty()) {
    DeleteRecordOfNode(focused);
    return true;
  }
  // the selected records, last first, with the dataset's notifications off
  const std::string current = ds->Bookmark();
  UpdateBatch quiet(*ds);  // at the end "dataset changed": the rows are reloaded
  while (!selection_.empty()) {
    const std::string bookmark = selection_.back().first;
    selection_.pop_back();
    if (!ds->BookmarkValid(bookmark)) continue;
    ds->GotoBookmark(bookmark);
    try {
      ds->Delete();
    } catch (...) {
      if (!OptionsBehavior().Contains(rgoExtMultiSelect)) throw;
    }
  }
  if (ds->BookmarkValid(current)) ds->GotoBookmark(current);
  return true;
}

// --- keys and focus -------------------------------------------------------------------------------

void TCustomrgDBGrid::GridKeyDown(unsigned short& key, TShiftState shift) {
  TDataSet* ds = DataSet();
  if (ds && ds->Active() && State() == TrgInteractionState::Idle) {
    const bool ctrl = shift.Contains(TShiftStateFlag::ssCtrl);
    const TDataSetState state = ds->State();
    const int current = FocusedNode() ? AbsoluteIndex(FocusedNode()) : -1;
    const int last = AbsoluteCount() - 1;
    switch (key) {
      case VK_DELETE:
        if (ctrl) {
          key = 0;
          DeleteFocusedRecord();
          return;
        }
        break;
      case VK_ESCAPE:
        DataLink().Cancel();
        break;
      case VK_INSERT:
        if (!ctrl && !OptionsView().Contains(rgoRowSelect) && OptionsDB().Contains(rgoCanInsert) &&
            OptionsDB().Contains(rgoCanNavigation) && ds->CanModify()) {
          key = 0;
          ds->Insert();
          return;
        }
        break;
      case VK_UP:
        if (Editing(state)) {
          if (state == TDataSetState::dsInsert && !DataLink().IsModified() && ds->Eof()) {
            key = 0;
            ds->Cancel();
            FocusRow(AbsoluteCount() - 1);
            return;
          }
          if (current == 0) ds->Post();
        }
        break;
      case VK_DOWN:
        if (current >= 0 && current == last) {
          if (state == TDataSetState::dsInsert && !DataLink().IsModified()) {
            key = 0;
            return;
          }
          if (OptionsDB().Contains(rgoCanAppend) && ds->CanModify()) {
            key = 0;
            ds->Append();
            return;
          }
          if (Editing(state)) ds->Post();
        }
        break;
      default:
        break;
    }
  }
  TCustomrgDBTreeListControl::GridKeyDown(key, shift);
}

void TCustomrgDBGrid::DoExit() {
  TDataSet* ds = DataSet();
  if (ds && ds->Active()) {
    // a change the dataset refuses keeps the focus here
    ScopeFailure refocus([this] {
      if (CanFocus() && HandleAllocated()) ::SetFocus(Handle());
    });
    if (ds->State() == TDataSetState::dsInsert && !DataLink().IsModified() && OptionsDB().Contains(rgoCancelOnExit))
      ds->Cancel();
    else if (DataLink().IsModified())
      HideEditor(true);  // the editor writes its value to the field
  }
  TCustomrgDBTreeListControl::DoExit();
}

}  // namespace bus
