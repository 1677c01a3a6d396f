#include "framework/data/Variant.h"

#include <cerrno>
#include <cstdlib>
#include <string>

#include "core/Exception.h"

namespace bus {

namespace {

class EVariantError : public Exception {
public:
  using Exception::Exception;
};

// Reads the whole text as a number; false when it is not one.
bool TextToNumber(const std::string& s, double& out) {
  if (s.empty()) return false;
  char* end = nullptr;
  errno = 0;
  out = std::strtod(s.c_str(), &end);
  return end == s.c_str() + s.size() && errno == 0;
}

}  // namespace

bool Variant::IsNumeric() const noexcept {
  switch (kind_) {
    case TVarKind::Integer:
    case TVarKind::Float:
    case TVarKind::Currency:
    case TVarKind::Boolean:
    case TVarKind::DateTime:
      return true;
    default:
      return false;
  }
}

std::string Variant::AsString() const {
  switch (kind_) {
    case TVarKind::Empty:
    case TVarKind::Null:
      return {};
    case TVarKind::Integer:
      return std::to_string(std::get<std::int64_t>(value_));
    case TVarKind::Boolean:
      return std::get<bool>(value_) ? "True" : "False";
    case TVarKind::String:
      return std::get<std::string>(value_);
    default: {
      std::string s = std::to_string(std::get<double>(value_));
      // trim the fixed six decimals to the shortest form
      if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
      }
      return s;
    }
  }
}

double Variant::AsFloat() const {
  switch (kind_) {
    case TVarKind::Integer:
      return double(std::get<std::int64_t>(value_));
    case TVarKind::Boolean:
      return std::get<bool>(value_) ? 1.0 : 0.0;
    case TVarKind::Float:
    case TVarKind::Currency:
    case TVarKind::DateTime:
      return std::get<double>(value_);
    case TVarKind::String: {
      double d = 0;
      if (TextToNumber(std::get<std::string>(value_), d)) return d;
      throw EVariantError("'" + std::get<std::string>(value_) + "' is not a number");
    }
    default:
      throw EVariantError("a null value is not a number");
  }
}

std::int64_t Variant::AsInteger() const {
  if (kind_ == TVarKind::Integer) return std::get<std::int64_t>(value_);
  const double d = AsFloat();
  return std::int64_t(d);
}

bool Variant::AsBoolean() const {
  if (kind_ == TVarKind::String) {
    const std::string& s = std::get<std::string>(value_);
    if (s == "True" || s == "true") return true;
    if (s == "False" || s == "false") return false;
  }
  return AsFloat() != 0;
}

bool Variant::operator==(const Variant& other) const {
  if (IsEmpty() || other.IsEmpty() || IsNull() || other.IsNull()) return kind_ == other.kind_;
  if (kind_ == TVarKind::String && other.kind_ == TVarKind::String)
    return std::get<std::string>(value_) == std::get<std::string>(other.value_);
  return VarCompare(*this, other) == 0;
}

int VarCompare(const Variant& a, const Variant& b) {
  const bool aMissing = a.IsNull() || a.IsEmpty();
  const bool bMissing = b.IsNull() || b.IsEmpty();
  if (aMissing || bMissing) {
    if (aMissing && bMissing) return 0;
    return aMissing ? -1 : 1;
  }
  if (a.Kind() == TVarKind::String && b.Kind() == TVarKind::String) {
    // std::string compares bytes as unsigned char; no copies (the grid's sort compares keys often)
    const int c = std::get<std::string>(a.value_).compare(std::get<std::string>(b.value_));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
  }
  double x = 0, y = 0;
  try {
    x = a.AsFloat();
    y = b.AsFloat();
  } catch (const Exception&) {
    return -1;  // cannot be compared
  }
  return x < y ? -1 : (x > y ? 1 : 0);
}

}  // namespace bus
