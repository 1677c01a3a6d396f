#include "grid/DBTreeListControl.h"

#include <algorithm>

#include "core/ScopeExit.h"
#include "core/UpdateBatch.h"
#include "framework/Properties.h"
#include "grid/DBGridNode.h"
#include "grid/DBTreeListColumn.h"

namespace bus {

const TClassInfo& TCustomrgDBTreeListControl::StaticClassInfo() {
  static const TClassInfo info{"TCustomrgDBTreeListControl", &TCustomrgTreeListControl::StaticClassInfo(), {}, {}};
  return info;
}

TCustomrgDBTreeListControl::TCustomrgDBTreeListControl(TComponent* owner)
    : TCustomrgTreeListControl(owner), link_(std::make_unique<TrgDBTreeListControlDataLink>(this)) {}

TCustomrgDBTreeListControl::~TCustomrgDBTreeListControl() = default;

void TCustomrgDBTreeListControl::SetDataLink(std::unique_ptr<TrgDBTreeListControlDataLink> link) {
  TDataSource* source = link_ ? link_->DataSource() : nullptr;
  if (link_) link_->SetDataSource(nullptr);
  link_ = std::move(link);
  link_->SetDataSource(source);
}

void TCustomrgDBTreeListControl::Loaded() {
  TCustomrgTreeListControl::Loaded();
  if (link_->Active()) LinkActiveChanged();
}

void TCustomrgDBTreeListControl::BeforeDestruction() {
  link_->SetDataSource(nullptr);
  TCustomrgTreeListControl::BeforeDestruction();
}

TDataSource* TCustomrgDBTreeListControl::DataSource() const noexcept { return link_->DataSource(); }

void TCustomrgDBTreeListControl::SetDataSource(TDataSource* source) {
  if (source == link_->DataSource()) return;
  selection_.clear();
  link_->SetDataSource(source);
}

TDataSet* TCustomrgDBTreeListControl::DataSet() const noexcept { return link_->DataSet(); }

void TCustomrgDBTreeListControl::SetKeyField(const std::string& name) { keyFieldName_ = name; }

void TCustomrgDBTreeListControl::SetOptionsDB(TrgDBGridOptionDB v) {
  if (v == optionsDB_) return;
  BeginUpdate();
  HideEditor();
  optionsDB_ = v;
  EndUpdate();
}

void TCustomrgDBTreeListControl::SetUseBookmarks(bool v) {
  TrgDBGridOptionDB o = optionsDB_;
  v ? o.Include(rgoUseBookmarks) : o.Exclude(rgoUseBookmarks);
  SetOptionsDB(o);
}

void TCustomrgDBTreeListControl::SetPartialLoad(bool v) {
  TrgDBGridOptionDB o = optionsDB_;
  v ? o.Include(rgoPartialLoad) : o.Exclude(rgoPartialLoad);
  SetOptionsDB(o);
}

TField* TCustomrgDBTreeListControl::FindKeyField() const {
  TDataSet* ds = DataSet();
  if (!link_->Active() || !ds || keyFieldName_.empty()) return nullptr;
  return ds->FindField(keyFieldName_);
}

void TCustomrgDBTreeListControl::RebuildFieldMap(bool defaultFields) {
  fieldMap_.clear();
  TDataSet* ds = DataSet();
  if (!ds || !ds->Active()) return;
  if (defaultFields) {
    for (int i = 0; i < ds->FieldCount(); ++i)
      if (ds->Fields(i)->Visible()) fieldMap_.push_back(ds->Fields(i));
    return;
  }
  for (int i = 0; i < ColumnCount(); ++i)
    if (auto* c = dynamic_cast<TrgDBTreeListColumn*>(Columns(i)); c && !c->FieldName().empty())
      if (TField* f = ds->FindField(c->FieldName())) fieldMap_.push_back(f);
}

void TCustomrgDBTreeListControl::ResolveColumnFields() {
  slotColumns_.clear();
  for (int i = 0; i < ColumnCount(); ++i) {
    auto* c = dynamic_cast<TrgDBTreeListColumn*>(Columns(i));
    if (!c) continue;
    c->SetFieldName(c->FieldName());
    const auto slot = std::size_t(c->DataIndex());
    if (slot >= slotColumns_.size()) slotColumns_.resize(slot + 1, nullptr);
    slotColumns_[slot] = c;
  }
}

void TCustomrgDBTreeListControl::ColumnsChanged() {
  if (Loading() || Destroying()) return;
  UpdateBatch batch(*this);
  ResolveColumnFields();
}

void TCustomrgDBTreeListControl::FillNode(TrgDBTreeListControlNode* node) {
  node->SetKeyValue(keyField_ ? keyField_->AsVariant() : Variant::Null());
  node->ClearValues();
  texts_.Clear();
  for (std::size_t slot = 0; slot < slotColumns_.size(); ++slot) {
    TrgDBTreeListColumn* column = slotColumns_[slot];
    TField* field = column ? column->Field() : nullptr;
    if (!field) {
      texts_.Close();
      continue;
    }
    const bool isNull = field->AppendDisplayText(texts_.Buffer());
    texts_.Close();
    // numbers, dates and Booleans keep their value for sorting; texts only a null or a text
    // that an event made
    const TFieldType type = field->DataType();
    const bool text = type == TFieldType::ftString || type == TFieldType::ftUnknown;
    if (!text || isNull || field->OnGetText.Assigned())
      node->SetValue(int(slot), isNull ? Variant::Null() : field->AsVariant());
  }
  texts_.Store(node->CellTexts());
}

// --- focus and record in step ---------------------------------------------------------------------

void TCustomrgDBTreeListControl::FocusChanging(TrgTreeListNode* node) {
  if (!syncing_ && !reloading_ && node) MoveRecordToNode(node);
}

void TCustomrgDBTreeListControl::MoveRecordToNode(TrgTreeListNode* node) {
  auto* target = dynamic_cast<TrgDBGridNode*>(node);
  TDataSet* ds = DataSet();
  if (!target || busy_ || !ds || !ds->Active()) return;
  if (keyField_ && node == FocusedNode() && keyField_->AsVariant() == target->KeyValue()) return;
  if (!optionsDB_.Contains(rgoCanNavigation)) return;
  const TDataSetState state = ds->State();
  if (node == pendingInsert_ && state == TDataSetState::dsInsert) return;
  const bool editing =
      state == TDataSetState::dsEdit || state == TDataSetState::dsInsert || state == TDataSetState::dsSetKey;
  busy_ = !editing;
  ScopeExit moved([this] { busy_ = locating_ = false; });
  if (optionsDB_.Contains(rgoUseLocate) || optionsDB_.Contains(rgoSmartRefresh)) {
    locating_ = true;
    ds->Locate(keyFieldName_, target->KeyValue());
  } else {
    // the reference is the focused row, which holds the current record while the two are in
    // step; while inserting, the inserted row has no place in dataset order: use a neighbour
    auto* reference = dynamic_cast<TrgDBGridNode*>(FocusedNode());
    if (reference && reference == pendingInsert_ && state == TDataSetState::dsInsert) {
      TrgTreeListNode* next = reference->NextDisplayed();
      reference = dynamic_cast<TrgDBGridNode*>(next ? next : reference->PrevDisplayed());
    }
    int distance = 0;
    if (reference && keyField_ && keyField_->AsVariant() == reference->KeyValue())
      distance = target->LoadIndex() - reference->LoadIndex();
    else  // no focused row yet, or not in step: count from the current record itself
      distance = target->LoadIndex() - std::max(ds->RecNo(), 0);
    ds->MoveBy(distance);  // target may be gone after this (a post may reload the rows)
    SyncFocusToRecord();
  }
}

void TCustomrgDBTreeListControl::SyncFocusToRecord() {
  TDataSet* ds = DataSet();
  if (link_->Active() && !Loading() && ds && ds->Active() && keyField_ && optionsDB_.Contains(rgoCanNavigation) &&
      !busy_) {
    syncing_ = true;
    ScopeExit synced([this] { syncing_ = false; });
    const Variant key = keyField_->AsVariant();
    for (TrgTreeListNode* n : RootList()) {
      auto* node = dynamic_cast<TrgDBTreeListControlNode*>(n);
      if (node && !node->KeyValue().IsEmpty() && node->KeyValue() == key) {
        ChangeFocus(node, true);
        break;
      }
    }
  }
  OnChangeNodeEx(this);
}

// --- link notifications ---------------------------------------------------------------------------

void TCustomrgDBTreeListControl::LinkUpdateData(bool modified) {
  if (modified) HideEditor(true);
}

void TCustomrgDBTreeListControl::LinkLayoutChanged() {
  if (!Updating()) LayoutChanged();
}

bool TCustomrgDBTreeListControl::LinkFocusControl(TField* field) {
  if (!optionsDB_.Contains(rgoCanNavigation) || OptionsView().Contains(rgoRowSelect)) return false;
  for (int i = 0; i < ColumnCount(); ++i) {
    auto* c = dynamic_cast<TrgDBTreeListColumn*>(Columns(i));
    if (!c || c->Field() != field) continue;
    SetFocusedColumn(i);
    if (CanFocus() && HandleAllocated()) {
      ::SetFocus(Handle());
      return true;
    }
    return false;
  }
  return false;
}

}  // namespace bus
