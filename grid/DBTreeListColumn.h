// A column bound to a dataset field by name. Unset caption, alignment, read-only flag, length and
// default width come from the field; the field is looked up again whenever FieldName is set while
// the dataset is open (a name the dataset lacks leaves the column without a field: empty cells).
//
// Not built yet (published and stored, they change nothing): DisableGrouping, GroupIndex (the
// grid does not group).
#pragma once

#include <string>

#include "grid/TreeListColumn.h"

namespace bus {

class TField;

class TrgDBTreeListColumn : public TrgTreeListColumn {
  BUS_CLASS(TrgDBTreeListColumn)
public:
  explicit TrgDBTreeListColumn(TComponent* owner) : TrgTreeListColumn(owner) {}

  const std::string& FieldName() const noexcept { return fieldName_; }
  // Stores the name and looks the field up in the grid's open dataset.
  void SetFieldName(const std::string& name);
  // The bound field, or null.
  TField* Field() const noexcept { return field_; }
  int MaxLength() const override;

  bool DisableGrouping() const noexcept { return disableGrouping_; }
  void SetDisableGrouping(bool v) noexcept { disableGrouping_ = v; }
  bool DisableFilter() const noexcept { return disableFilter_; }
  void SetDisableFilter(bool v) noexcept { disableFilter_ = v; }
  bool FilterButtonDisabled() const override { return disableFilter_; }
  // -1: not a grouping column.
  int GroupIndex() const noexcept { return groupIndex_; }
  void SetGroupIndex(int v) noexcept { groupIndex_ = v; }

protected:
  void Notification(TComponent* component, TOperation operation) override;
  std::string DefaultCaption() const override;
  TAlignment DefaultAlignment() const override;
  bool DefaultReadOnly() const override;
  int FieldDisplayWidth() const override;

private:
  void BindField(TField* field);

  std::string fieldName_;        // name of the dataset field shown
  TField* field_ = nullptr;      // resolved field, or null
  bool disableGrouping_ = false;  // stored only
  bool disableFilter_ = false;    // no filter button (best fit leaves no room for it)
  int groupIndex_ = -1;           // stored only
};

}  // namespace bus
