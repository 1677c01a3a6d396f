#include "framework/controls/PropertyIdents.h"

#include <windows.h>

#include <utility>

#include "core/TextUtil.h"
#include "framework/controls/Control.h"
#include "framework/graphics/Color.h"

namespace bus {

namespace {

template <size_t N>
bool ToValue(const std::pair<const char*, int> (&table)[N], std::string_view ident, std::int64_t& value) {
  for (const auto& [name, v] : table)
    if (EqualsIgnoringAsciiCase(name, ident)) {
      value = v;
      return true;
    }
  return false;
}

template <size_t N>
bool ToIdent(const std::pair<const char*, int> (&table)[N], std::int64_t value, std::string& ident) {
  for (const auto& [name, v] : table)
    if (v == value) {
      ident = name;
      return true;
    }
  return false;
}

const std::pair<const char*, int> kCursors[] = {
    {"crDefault", crDefault}, {"crNone", crNone},       {"crArrow", crArrow},         {"crCross", crCross},
    {"crIBeam", crIBeam},     {"crSizeNS", crSizeNS},   {"crSizeWE", crSizeWE},       {"crHourGlass", crHourGlass},
    {"crHSplit", crHSplit},   {"crVSplit", crVSplit},   {"crNo", crNo},               {"crAppStart", crAppStart},
    {"crHandPoint", crHandPoint}, {"crSizeAll", crSizeAll}};

const std::pair<const char*, int> kCharsets[] = {
    {"ANSI_CHARSET", ANSI_CHARSET}, {"DEFAULT_CHARSET", DEFAULT_CHARSET}, {"SYMBOL_CHARSET", SYMBOL_CHARSET},
    {"GB2312_CHARSET", GB2312_CHARSET}, {"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET}, {"OEM_CHARSET", OEM_CHARSET}};

bool ColorValue(std::string_view ident, std::int64_t& value) {
  const auto c = StringToColor(ident);
  if (!c) return false;
  value = std::int64_t(*c);
  return true;
}
bool ColorIdent(std::int64_t value, std::string& ident) {
  ident = ColorToString(TColor(value));
  return true;
}

}  // namespace

const TIntIdents kColorIdents{&ColorValue, &ColorIdent};
const TIntIdents kCursorIdents{[](std::string_view i, std::int64_t& v) { return ToValue(kCursors, i, v); },
                               [](std::int64_t v, std::string& i) { return ToIdent(kCursors, v, i); }};
const TIntIdents kCharsetIdents{[](std::string_view i, std::int64_t& v) { return ToValue(kCharsets, i, v); },
                                [](std::int64_t v, std::string& i) { return ToIdent(kCharsets, v, i); }};
const TIdentList kFontStyleNames{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

}  // namespace bus
