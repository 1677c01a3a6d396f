#include "framework/data/Field.h"

#include "framework/Properties.h"
#include "framework/data/DataSet.h"

namespace bus {

const TClassInfo& TField::StaticClassInfo() {
  static const TIdentList kAlign{"taLeftJustify", "taRightJustify", "taCenter"};
  static const TClassInfo info = TClassBuilder<TField>("TField", TComponent::StaticClassInfo())
                                     .Text("DisplayLabel", &TField::DisplayLabel, &TField::SetDisplayLabel)
                                     .Int("DisplayWidth", &TField::DisplayWidth, &TField::SetDisplayWidth, 10)
                                     .Enum("Alignment", &TField::Alignment, &TField::SetAlignment, kAlign,
                                           TAlignment::taLeftJustify)
                                     .Bool("ReadOnly", &TField::ReadOnly, &TField::SetReadOnly, false)
                                     .Bool("Visible", &TField::Visible, &TField::SetVisible, true)
                                     .Event("OnGetText", &TField::OnGetText)
                                     .Build();
  return info;
}

bool TField::CanModify() const { return !readOnly_ && dataSet_ && dataSet_->CanModify(); }

std::string TField::AsString() const {
  bool isNull = true;
  return dataSet_ ? dataSet_->FieldText(fieldNo_, isNull) : std::string();
}

bool TField::IsNull() const {
  bool isNull = true;
  if (dataSet_) dataSet_->FieldText(fieldNo_, isNull);
  return isNull;
}

Variant TField::AsVariant() const {
  bool isNull = true;
  std::string text = dataSet_ ? dataSet_->FieldText(fieldNo_, isNull) : std::string();
  return isNull ? Variant::Null() : Variant::String(std::move(text));
}

std::string TField::DisplayText() const {
  std::string text = AsString();
  if (OnGetText) OnGetText(const_cast<TField*>(this), text, true);
  return text;
}

bool TField::AppendDisplayText(std::string& out) const {
  if (OnGetText) {
    out += DisplayText();
    return IsNull();
  }
  return dataSet_ ? dataSet_->AppendFieldText(fieldNo_, out) : true;
}

std::string TField::Text() const {
  std::string text = AsString();
  if (OnGetText) OnGetText(const_cast<TField*>(this), text, false);
  return text;
}

void TField::SetAsString(const std::string& text) {
  if (!dataSet_) throw EDatabaseError("field " + fieldName_ + " has no dataset");
  if (readOnly_) throw EDatabaseError("field " + fieldName_ + " cannot be modified");
  dataSet_->SetFieldText(fieldNo_, &text);
  dataSet_->DataEvent(TDataEvent::deFieldChange, reinterpret_cast<std::intptr_t>(this));
}

void TField::Clear() {
  if (!dataSet_) throw EDatabaseError("field " + fieldName_ + " has no dataset");
  dataSet_->SetFieldText(fieldNo_, nullptr);
  dataSet_->DataEvent(TDataEvent::deFieldChange, reinterpret_cast<std::intptr_t>(this));
}

void TField::FocusControl() {
  if (dataSet_) dataSet_->DataEvent(TDataEvent::deFocusControl, reinterpret_cast<std::intptr_t>(this));
}

}  // namespace bus
