#include "framework/graphics/Color.h"

#include <charconv>
#include <cstdio>

#include "core/TextUtil.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace bus {

namespace {

struct NamedColor {
  TColor value;
  const char* name;
};

constexpr NamedColor kNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clNone, "clNone"}, {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"}, {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"}, {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"}, {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"}, {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"}, {clMenuBar, "clMenuBar"},
};

}  // namespace

#ifdef _WIN32
std::uint32_t ColorToRGB(TColor c) {
  if (IsSystemColor(c)) return GetSysColor(int(c & 0xFF));
  return c & 0x00FFFFFFu;
}
#endif

std::string ColorToString(TColor c) {
  for (const NamedColor& n : kNames)
    if (n.value == c) return n.name;
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%08X", unsigned(c));
  return buf;
}

std::optional<TColor> StringToColor(std::string_view text) {
  if (text.empty()) return std::nullopt;
  for (const NamedColor& n : kNames)
    if (EqualsIgnoringAsciiCase(text, n.name)) return n.value;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (text[0] == '$') {
    std::uint32_t v = 0;
    const auto [end, ec] = std::from_chars(first + 1, last, v, 16);
    if (ec != std::errc() || end != last || text.size() > 9) return std::nullopt;
    return v;
  }
  std::int64_t v = 0;
  const auto [end, ec] = std::from_chars(first, last, v, 10);
  if (ec != std::errc() || end != last || v < INT32_MIN || v > std::int64_t(UINT32_MAX)) return std::nullopt;
  return TColor(std::uint32_t(v));
}

}  // namespace bus
