// A value of a field or a grid node: empty (no value at all), null (a known missing value), or an
// integer, float, currency, Boolean, date-time or text. Empty and null are distinct.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace bus {

enum class TVarKind { Empty, Null, Integer, Float, Currency, Boolean, DateTime, String };

class Variant {
public:
  Variant() = default;  // empty
  static Variant Null() { return Variant(TVarKind::Null, std::monostate{}); }
  static Variant Integer(std::int64_t v) { return Variant(TVarKind::Integer, v); }
  static Variant Float(double v) { return Variant(TVarKind::Float, v); }
  static Variant Currency(double v) { return Variant(TVarKind::Currency, v); }
  static Variant Boolean(bool v) { return Variant(TVarKind::Boolean, v); }
  // Days since 1899-12-30, fraction = time of day.
  static Variant DateTime(double v) { return Variant(TVarKind::DateTime, v); }
  static Variant String(std::string v) { return Variant(TVarKind::String, std::move(v)); }

  TVarKind Kind() const noexcept { return kind_; }
  bool IsEmpty() const noexcept { return kind_ == TVarKind::Empty; }
  bool IsNull() const noexcept { return kind_ == TVarKind::Null; }
  bool IsNumeric() const noexcept;

  // Text form ("" for empty and null; Booleans "True"/"False").
  std::string AsString() const;
  // Number form; text must hold a whole number / number. Throws EVariantError otherwise.
  std::int64_t AsInteger() const;
  double AsFloat() const;
  bool AsBoolean() const;

  // Same kind family and equal value (numbers compare numerically, text by bytes).
  bool operator==(const Variant& other) const;

private:
  friend int VarCompare(const Variant& a, const Variant& b);
  using Storage = std::variant<std::monostate, std::int64_t, double, bool, std::string>;
  Variant(TVarKind kind, Storage v) : kind_(kind), value_(std::move(v)) {}

  TVarKind kind_ = TVarKind::Empty;  // what the value is
  Storage value_;                    // the value itself
};

// The grid's value order: 0 when equal; a null (or empty) first value -1, second +1; otherwise
// -1 / +1 by value: text by ordinal byte order (case-sensitive, not by locale), numbers, dates and
// Booleans numerically, text against a number numerically when the text is a number. Values that
// cannot be compared give -1.
int VarCompare(const Variant& a, const Variant& b);

}  // namespace bus
