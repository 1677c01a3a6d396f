// A field of a dataset's current record: its name and display settings, its value as text or as a
// variant, and (while the dataset edits) a setter.
#pragma once

#include <string>

#include "framework/Component.h"
#include "framework/Types.h"
#include "framework/data/Variant.h"

namespace bus {

class TDataSet;
class TField;

enum class TFieldType { ftUnknown, ftString, ftInteger, ftFloat, ftBoolean, ftDateTime };

// (Sender, Text, DisplayText): replaces the text shown for the field.
using TFieldGetTextEvent = TEvent<TField*, std::string&, bool>;

class TField : public TComponent {
  BUS_CLASS(TField)
public:
  explicit TField(TComponent* owner) : TComponent(owner) {}

  TDataSet* DataSet() const noexcept { return dataSet_; }
  // Index of the field in its dataset's record.
  int FieldNo() const noexcept { return fieldNo_; }
  const std::string& FieldName() const noexcept { return fieldName_; }
  // DisplayLabel when set, else FieldName.
  const std::string& DisplayName() const noexcept { return displayLabel_.empty() ? fieldName_ : displayLabel_; }
  const std::string& DisplayLabel() const noexcept { return displayLabel_; }
  void SetDisplayLabel(const std::string& s) { displayLabel_ = s; }
  TFieldType DataType() const noexcept { return dataType_; }
  int Size() const noexcept { return size_; }
  int DisplayWidth() const noexcept { return displayWidth_; }
  void SetDisplayWidth(int w) { displayWidth_ = w; }
  TAlignment Alignment() const noexcept { return alignment_; }
  void SetAlignment(TAlignment a) { alignment_ = a; }
  bool ReadOnly() const noexcept { return readOnly_; }
  void SetReadOnly(bool r) { readOnly_ = r; }
  bool Visible() const noexcept { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  bool Lookup() const noexcept { return false; }
  // True when the dataset can change records and the field is not read-only.
  bool CanModify() const;

  // Value of the current record: empty text when there is none or the value is null.
  std::string AsString() const;
  // Null when there is no current record or the value is null; text otherwise.
  Variant AsVariant() const;
  bool IsNull() const;
  // The text to show: OnGetText's answer when assigned, else AsString.
  std::string DisplayText() const;
  std::string Text() const;  // the same for editing (DisplayText false)
  // Appends DisplayText to out (without a temporary text when there is no OnGetText); answers
  // whether the value is null.
  bool AppendDisplayText(std::string& out) const;

  // Changes the value of the record being edited; tells the dataset's links (record changed).
  // Throws EDatabaseError outside edit state or for a read-only field.
  void SetAsString(const std::string& text);
  void Clear();  // sets null
  // Asks the dataset's controls to focus this field.
  void FocusControl();

  TFieldGetTextEvent OnGetText;  // published

private:
  friend class TDataSet;
  TDataSet* dataSet_ = nullptr;                       // the dataset holding the field
  int fieldNo_ = -1;                                  // index in the record
  std::string fieldName_;                             // as the dataset names it
  std::string displayLabel_;                          // caption; empty: FieldName
  TFieldType dataType_ = TFieldType::ftString;        // every route field is text
  int size_ = 0;                                      // declared size; 0: unlimited text
  int displayWidth_ = 10;                             // characters shown by default
  TAlignment alignment_ = TAlignment::taLeftJustify;  // text alignment in grids
  bool readOnly_ = false;                             // refuses SetAsString
  bool visible_ = true;                               // shown by default grids
};

}  // namespace bus
