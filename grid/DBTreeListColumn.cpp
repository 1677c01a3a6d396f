#include "grid/DBTreeListColumn.h"

#include "framework/Properties.h"
#include "framework/data/DataSet.h"
#include "grid/DBTreeListControl.h"

namespace bus {

const TClassInfo& TrgDBTreeListColumn::StaticClassInfo() {
  using C = TrgDBTreeListColumn;
  static const TClassInfo info = TClassBuilder<C>("TrgDBTreeListColumn", TrgTreeListColumn::StaticClassInfo())
                                     .Creatable()
                                     .Text("FieldName", &C::FieldName, &C::SetFieldName)
                                     .Bool("DisableGrouping", &C::DisableGrouping, &C::SetDisableGrouping, false)
                                     .Bool("DisableFilter", &C::DisableFilter, &C::SetDisableFilter, false)
                                     .Int("GroupIndex", &C::GroupIndex, &C::SetGroupIndex, -1)
                                     .Build();
  return info;
}

void TrgDBTreeListColumn::SetFieldName(const std::string& name) {
  fieldName_ = name;
  TField* field = nullptr;
  if (auto* grid = dynamic_cast<TCustomrgDBTreeListControl*>(Grid())) {
    TDataSet* ds = grid->DataSet();
    if (ds && ds->Active() && !name.empty()) field = ds->FindField(name);
  }
  BindField(field);
  Changed(!WidthAssigned());
}

void TrgDBTreeListColumn::BindField(TField* field) {
  if (field == field_) return;
  if (field_) field_->RemoveFreeNotification(this);
  field_ = field;
  if (field_) field_->FreeNotification(this);
}

void TrgDBTreeListColumn::Notification(TComponent* component, TOperation operation) {
  TrgTreeListColumn::Notification(component, operation);
  if (operation == TOperation::opRemove && component == field_) field_ = nullptr;
}

int TrgDBTreeListColumn::MaxLength() const {
  if (const int set = TrgTreeListColumn::MaxLength(); set != 0) return set;
  return field_ && field_->DataType() == TFieldType::ftString ? field_->Size() : 0;
}

std::string TrgDBTreeListColumn::DefaultCaption() const { return field_ ? field_->DisplayName() : fieldName_; }

TAlignment TrgDBTreeListColumn::DefaultAlignment() const {
  return field_ ? field_->Alignment() : TAlignment::taLeftJustify;
}

bool TrgDBTreeListColumn::DefaultReadOnly() const { return field_ && field_->ReadOnly(); }

int TrgDBTreeListColumn::FieldDisplayWidth() const { return field_ ? field_->DisplayWidth() : -1; }

}  // namespace bus
