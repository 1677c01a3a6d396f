// TFont: a font description (face name, height, style, character set, colour) and the GDI font
// made from it on first use.
//
// Copies made with Assign share the GDI font until one of them changes. A change notifies the
// owner (OnChange) and makes a new GDI font on the next Handle(); the old one lives until the
// owner has been told, so a canvas can deselect it first.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsObject.h"

namespace bus {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of font styles: {fsBold, fsUnderline}; set + set, set - set, set * set as with any set.
class TFontStyles {
public:
  constexpr TFontStyles() noexcept = default;
  constexpr TFontStyles(std::initializer_list<TFontStyle> styles) noexcept {
    for (TFontStyle s : styles) bits_ |= Bit(s);
  }
  constexpr bool Contains(TFontStyle s) const noexcept { return (bits_ & Bit(s)) != 0; }
  constexpr bool Empty() const noexcept { return bits_ == 0; }
  constexpr TFontStyles operator+(TFontStyles o) const noexcept { return FromBits(bits_ | o.bits_); }
  constexpr TFontStyles operator-(TFontStyles o) const noexcept { return FromBits(bits_ & ~o.bits_); }
  constexpr TFontStyles operator*(TFontStyles o) const noexcept { return FromBits(bits_ & o.bits_); }
  constexpr bool operator==(const TFontStyles&) const noexcept = default;
  // One bit per style, bit n for the style of value n.
  constexpr unsigned Bits() const noexcept { return bits_; }
  static constexpr TFontStyles FromBits(unsigned bits) noexcept {
    TFontStyles s;
    s.bits_ = bits & 0xF;
    return s;
  }

private:
  static constexpr unsigned Bit(TFontStyle s) noexcept { return 1u << unsigned(s); }
  unsigned bits_ = 0;  // bit n: style n is in the set
};

// Pitch of the face, as the font mapper understands it.
enum TFontPitch { fpDefault, fpVariable, fpFixed };

// The layer's default font. "MS Shell Dlg 2" is the platform's logical dialog face: Windows maps it
// to its dialog font with fallback faces for Chinese, and our Wine prefix substitutes a Chinese face
// for it, so Chinese text shows whatever the system locale.
inline constexpr const char* kDefaultFontName = "MS Shell Dlg 2";
inline constexpr int kDefaultFontHeight = -11;

class TFont : public TGraphicsObject {
public:
  // The default font: kDefaultFontName, height kDefaultFontHeight, clWindowText, no style, default
  // character set. Creates no GDI object (fonts may be static objects).
  TFont();
  ~TFont() override;

  // Face name, UTF-8; at most 31 UTF-16 units reach the font mapper.
  const std::string& Name() const noexcept;
  void SetName(const std::string& name);
  // Height in pixels: negative for the character height (without internal leading), positive for
  // the cell height, as LOGFONT's lfHeight.
  int Height() const noexcept;
  void SetHeight(int height);
  // Size in points at PixelsPerInch(): −Height × 72 / PixelsPerInch, rounded.
  int Size() const;
  void SetSize(int points);
  // The resolution Size converts with; 0 (the default) means the screen's vertical resolution.
  int PixelsPerInch() const;
  void SetPixelsPerInch(int ppi);
  TFontStyles Style() const noexcept;
  void SetStyle(TFontStyles style);
  // LOGFONT character set; DEFAULT_CHARSET (1) by default.
  BYTE Charset() const noexcept;
  void SetCharset(BYTE charset);
  TFontPitch Pitch() const noexcept;
  void SetPitch(TFontPitch pitch);
  // Text colour; not part of the GDI font, so changing it keeps the handle.
  TColor Color() const noexcept { return color_; }
  void SetColor(TColor color);

  // The GDI font, created now if needed; owned by the font (never delete it).
  HFONT Handle() const;
  // Adopts an outside font: the font takes ownership of handle and reads its attributes from it.
  // A handle that is not a font (or null) is ignored and the font keeps what it has.
  void SetHandle(HFONT handle);
  bool HandleAllocated() const noexcept;

  // Copies every attribute of source, colour included, sharing its GDI font.
  void Assign(const TFont& source);
  // The LOGFONT this font stands for.
  LOGFONTW LogFont() const;
  // True when both describe the same font and colour.
  bool SameAs(const TFont& other) const noexcept;

private:
  struct Data;
  template <class Change>
  void Modify(Change&& change);

  std::shared_ptr<Data> data_;  // attributes and lazily made handle; shared by Assign copies
  TColor color_ = clWindowText;  // text colour
  int pixelsPerInch_ = 0;        // for Size; 0: the screen's
};

// The screen's logical pixels per inch (vertical), read once.
int ScreenPixelsPerInch();

}  // namespace bus
