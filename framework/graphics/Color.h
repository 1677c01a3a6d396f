// Colours as the widget layer stores them: a 24-bit value red + 256 × green + 65536 × blue, or a
// reference to a colour of the platform's scheme (0x80000000 | the system colour index) that is
// resolved each time something is drawn, so a scheme change shows at the next paint.
//
// This header needs no platform header; only ColorToRGB needs Windows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bus {

using TColor = std::uint32_t;

inline constexpr TColor kSystemColorFlag = 0x80000000u;

// True when c refers to a colour of the platform's scheme.
constexpr bool IsSystemColor(TColor c) noexcept { return (c & kSystemColorFlag) != 0; }
// The colour made of the three components.
constexpr TColor RGBColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) noexcept {
  return TColor(red) | (TColor(green) << 8) | (TColor(blue) << 16);
}

// "No colour": a property that is not set (a grid's line colour, a skin title's text colour).
inline constexpr TColor clNone = 0x1FFFFFFFu;
// "The control's default colour".
inline constexpr TColor clDefault = 0x20000000u;

inline constexpr TColor clBlack = 0x000000u;
inline constexpr TColor clMaroon = 0x000080u;
inline constexpr TColor clGreen = 0x008000u;
inline constexpr TColor clOlive = 0x008080u;
inline constexpr TColor clNavy = 0x800000u;
inline constexpr TColor clPurple = 0x800080u;
inline constexpr TColor clTeal = 0x808000u;
inline constexpr TColor clGray = 0x808080u;
inline constexpr TColor clSilver = 0xC0C0C0u;
inline constexpr TColor clRed = 0x0000FFu;
inline constexpr TColor clLime = 0x00FF00u;
inline constexpr TColor clYellow = 0x00FFFFu;
inline constexpr TColor clBlue = 0xFF0000u;
inline constexpr TColor clFuchsia = 0xFF00FFu;
inline constexpr TColor clAqua = 0xFFFF00u;
inline constexpr TColor clWhite = 0xFFFFFFu;

// References to the platform's scheme; the low byte is the system colour index (COLOR_xxx).
inline constexpr TColor clScrollBar = kSystemColorFlag | 0;
inline constexpr TColor clBackground = kSystemColorFlag | 1;
inline constexpr TColor clActiveCaption = kSystemColorFlag | 2;
inline constexpr TColor clInactiveCaption = kSystemColorFlag | 3;
inline constexpr TColor clMenu = kSystemColorFlag | 4;
inline constexpr TColor clWindow = kSystemColorFlag | 5;
inline constexpr TColor clWindowFrame = kSystemColorFlag | 6;
inline constexpr TColor clMenuText = kSystemColorFlag | 7;
inline constexpr TColor clWindowText = kSystemColorFlag | 8;
inline constexpr TColor clCaptionText = kSystemColorFlag | 9;
inline constexpr TColor clActiveBorder = kSystemColorFlag | 10;
inline constexpr TColor clInactiveBorder = kSystemColorFlag | 11;
inline constexpr TColor clAppWorkSpace = kSystemColorFlag | 12;
inline constexpr TColor clHighlight = kSystemColorFlag | 13;
inline constexpr TColor clHighlightText = kSystemColorFlag | 14;
inline constexpr TColor clBtnFace = kSystemColorFlag | 15;
inline constexpr TColor clBtnShadow = kSystemColorFlag | 16;
inline constexpr TColor clGrayText = kSystemColorFlag | 17;
inline constexpr TColor clBtnText = kSystemColorFlag | 18;
inline constexpr TColor clInactiveCaptionText = kSystemColorFlag | 19;
inline constexpr TColor clBtnHighlight = kSystemColorFlag | 20;
inline constexpr TColor cl3DDkShadow = kSystemColorFlag | 21;
inline constexpr TColor cl3DLight = kSystemColorFlag | 22;
inline constexpr TColor clInfoText = kSystemColorFlag | 23;
inline constexpr TColor clInfoBk = kSystemColorFlag | 24;
inline constexpr TColor clHotLight = kSystemColorFlag | 26;
inline constexpr TColor clGradientActiveCaption = kSystemColorFlag | 27;
inline constexpr TColor clGradientInactiveCaption = kSystemColorFlag | 28;
inline constexpr TColor clMenuHighlight = kSystemColorFlag | 29;
inline constexpr TColor clMenuBar = kSystemColorFlag | 30;

// The 24-bit value to draw with (a COLORREF): a scheme reference is looked up now, a plain colour
// is returned as it is. clNone and clDefault have no value of their own; they give their low
// 24 bits, so the result is always a valid plain colour.
std::uint32_t ColorToRGB(TColor c);

// The colour's identifier ("clBtnFace", "clRed", "clNone") or, for any other value, "$" and eight
// hexadecimal digits ("$00FF8000"), as form descriptions store colours.
std::string ColorToString(TColor c);
// The colour named by an identifier (letter case ignored), "$" followed by hexadecimal digits, or
// a decimal number (a minus sign allowed, read as 32 bits); nothing for any other text.
std::optional<TColor> StringToColor(std::string_view text);

}  // namespace bus
