// What one reading of a skin descriptor produces: the skin's name, its colours, colour table and
// custom colours, its skin objects, its caption buttons and the face brush. A skin data component
// holds one; a new reading builds a whole new content and replaces the old one only when it
// succeeded, so a failed reading leaves the previous skin as it was.
//
// References to the objects that always exist stay valid for the content's life; references to
// the optional objects and caption buttons until the next successful reading replaces them.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/graphics/GdiHandles.h"
#include "skin/data/QuickIni.h"
#include "skin/data/SkinObjects.h"

namespace bus {

// The keys of the Colours section, in the order the skin reads them.
enum class TSkinColourKey {
  WindowText, TitleTextActive, TitleTextNoActive, ButtonFace, ButtonText, ButtonHilight, Buttonlight,
  ButtonShadow, ButtonDkShadow, HilightText, Hilight, Menubar, MenuBarText, MenuText, Menu, Scrollbar,
};
inline constexpr int kSkinColourCount = 16;
// Entries of CustomColours.
inline constexpr int kSkinCustomColourCount = 10;

// The optional skin objects, in the order they are read. Each exists only when its section gives
// its image key a value.
enum class TSkinPart {
  Progress, MenuBar, GroupBoxEdge, GroupBox, Toolbars, Tabs, StatusBarEdges, ComboButton, SunkEdge, ExtraImages,
  Headerbar, MenuItem, MenuBackground, Scrollbar, HorzScroll, VertScroll, HorzScrollThumb, VertScrollThumb,
  TrackbarThumbHorz, TrackbarThumbVert, TrackbarThumbLeft, TrackbarThumbRight, TrackbarThumbUp, TrackbarThumbDown,
  UpDownHorz, UpDownVert,
};
inline constexpr int kSkinPartCount = int(TSkinPart::UpDownVert) + 1;

class TSkinContent {
public:
  // Fills `bitmap` from the archive member an image value names, or empties it (the image rule).
  using ImageLoader = std::function<void(TBitmap& bitmap, std::string_view value)>;

  // An empty skin: the objects that always exist with empty images, system colours.
  TSkinContent();
  ~TSkinContent();
  TSkinContent(TSkinContent&&) noexcept;
  TSkinContent& operator=(TSkinContent&&) noexcept;

  // Takes fresh's skin as this content's. The objects that always exist (Buttons, Title, the four
  // borders) keep their identity and take fresh's settings, so pointers to them stay valid; every
  // other object and colour is fresh's.
  void Replace(TSkinContent&& fresh);

  // Reads a descriptor into a new content. `comboArrowWidth` is the width of the button part of a
  // combo box (the platform's scroll-bar arrow width plus 2). Errors of the image loader (an
  // invalid bitmap member) pass through.
  static TSkinContent Read(const TQuickIni& ini, const ImageLoader& loadImage, int comboArrowWidth);

  // SkinName of section TitlebarSkin.
  const std::string& SkinName() const noexcept { return skinName_; }

  // The colours of section Colours; a key the skin leaves out keeps the platform's colour, as a
  // reference resolved when drawn.
  TColor Colour(TSkinColourKey key) const noexcept { return colours_[std::size_t(key)]; }
  TColor WindowText() const noexcept { return Colour(TSkinColourKey::WindowText); }
  TColor TitleTextActive() const noexcept { return Colour(TSkinColourKey::TitleTextActive); }
  TColor TitleTextNoActive() const noexcept { return Colour(TSkinColourKey::TitleTextNoActive); }
  TColor ButtonFace() const noexcept { return Colour(TSkinColourKey::ButtonFace); }
  TColor ButtonText() const noexcept { return Colour(TSkinColourKey::ButtonText); }
  TColor ButtonHilight() const noexcept { return Colour(TSkinColourKey::ButtonHilight); }
  TColor Buttonlight() const noexcept { return Colour(TSkinColourKey::Buttonlight); }
  TColor ButtonShadow() const noexcept { return Colour(TSkinColourKey::ButtonShadow); }
  TColor ButtonDkShadow() const noexcept { return Colour(TSkinColourKey::ButtonDkShadow); }
  TColor HilightText() const noexcept { return Colour(TSkinColourKey::HilightText); }
  TColor Hilight() const noexcept { return Colour(TSkinColourKey::Hilight); }
  TColor Menubar() const noexcept { return Colour(TSkinColourKey::Menubar); }
  TColor MenuBarText() const noexcept { return Colour(TSkinColourKey::MenuBarText); }
  TColor MenuText() const noexcept { return Colour(TSkinColourKey::MenuText); }
  TColor Menu() const noexcept { return Colour(TSkinColourKey::Menu); }
  TColor Scrollbar() const noexcept { return Colour(TSkinColourKey::Scrollbar); }
  // One colour per section whose name begins with "COLOUR" (other than "COLOURS"), in order.
  const std::vector<TColor>& ColourTable() const noexcept { return colourTable_; }
  // Color0 … Color9 of section Customcolors (white when absent).
  const std::array<TColor, kSkinCustomColourCount>& CustomColours() const noexcept { return customColours_; }
  // A solid brush of ButtonFace; null for the empty skin.
  HBRUSH FaceBrush() const noexcept { return faceBrush_.Get(); }

  // The objects that always exist.
  TDataSkinButton* Buttons() const noexcept { return buttons_.get(); }
  TDataSkinBorder* Left() const noexcept { return left_.get(); }
  TDataSkinBorder* Right() const noexcept { return right_.get(); }
  TDataSkinBorder* Top() const noexcept { return top_.get(); }
  TDataSkinBorder* Bottom() const noexcept { return bottom_.get(); }
  TDataSkinTitle* Title() const noexcept { return title_.get(); }

  // The optional objects; null when the skin has none.
  TDataSkinObject* Part(TSkinPart part) const noexcept { return parts_[std::size_t(part)].get(); }
  TDataSkinBorder* Progress() const noexcept { return Border(TSkinPart::Progress); }
  // The menu bar (named "Personality").
  TDataSkinObject* MenuBar() const noexcept { return Part(TSkinPart::MenuBar); }
  TDataSkinObject* GroupBoxEdge() const noexcept { return Part(TSkinPart::GroupBoxEdge); }
  TDataSkinBoxLabel* GroupBox() const noexcept;
  TDataSkinObject* Toolbars() const noexcept { return Part(TSkinPart::Toolbars); }
  TDataSkinBorder* Tabs() const noexcept { return Border(TSkinPart::Tabs); }
  TDataSkinObject* StatusBarEdges() const noexcept { return Part(TSkinPart::StatusBarEdges); }
  TDataSkinBorder* ComboButton() const noexcept { return Border(TSkinPart::ComboButton); }
  TDataSkinObject* SunkEdge() const noexcept { return Part(TSkinPart::SunkEdge); }
  TDataSkinObject* ExtraImages() const noexcept { return Part(TSkinPart::ExtraImages); }
  TDataSkinObject* Headerbar() const noexcept { return Part(TSkinPart::Headerbar); }
  TDataSkinObject* MenuItem() const noexcept { return Part(TSkinPart::MenuItem); }
  TDataSkinObject* MenuBackground() const noexcept { return Part(TSkinPart::MenuBackground); }
  TDataSkinObject* ScrollbarImage() const noexcept { return Part(TSkinPart::Scrollbar); }
  TDataSkinObject* HorzScroll() const noexcept { return Part(TSkinPart::HorzScroll); }
  TDataSkinObject* VertScroll() const noexcept { return Part(TSkinPart::VertScroll); }
  TDataSkinObject* HorzScrollThumb() const noexcept { return Part(TSkinPart::HorzScrollThumb); }
  TDataSkinObject* VertScrollThumb() const noexcept { return Part(TSkinPart::VertScrollThumb); }
  TDataSkinBorder* UpDownHorz() const noexcept { return Border(TSkinPart::UpDownHorz); }
  TDataSkinBorder* UpDownVert() const noexcept { return Border(TSkinPart::UpDownVert); }

  // The object read from a section ("Buttons", "Scrollbar", "Trackbar.ThumbUp", "Personality" for
  // the menu bar ...; letter case ignored), or null. Borders are found as "Left", "Right", "Top",
  // "Bottom"; caption buttons are in SysButtons().
  TDataSkinObject* FindSkinObject(std::string_view name) const noexcept;

  // The caption buttons in descriptor order, then the three window-control buttons of a maximised
  // MDI child (Action 7, 8, 9).
  const std::vector<std::unique_ptr<TDataSkinSysButton>>& SysButtons() const noexcept { return sysButtons_; }

private:
  TDataSkinBorder* Border(TSkinPart part) const noexcept;
  void ReadBorders(const TQuickIni& ini, const ImageLoader& loadImage);
  void ReadColours(const TQuickIni& ini, const TStringList& sections);
  void ReadCaptionButtons(const TQuickIni& ini, const TStringList& sections, const ImageLoader& loadImage);
  void ReadButtons(const TQuickIni& ini, const ImageLoader& loadImage);
  void ReadTitle(const TQuickIni& ini, const ImageLoader& loadImage);
  void ReadParts(const TQuickIni& ini, const ImageLoader& loadImage);
  void FixFrameCounts(const TQuickIni& ini);
  void BuildComboImages(int arrowWidth);

  std::string skinName_;                                           // SkinName
  std::array<TColor, kSkinColourCount> colours_{};                 // by TSkinColourKey
  std::vector<TColor> colourTable_;                                // COLOURn sections
  std::array<TColor, kSkinCustomColourCount> customColours_{};     // Customcolors
  GdiObject<HBRUSH> faceBrush_;                                    // brush of ButtonFace
  std::unique_ptr<TDataSkinButton> buttons_;                       // Buttons
  std::unique_ptr<TDataSkinBorder> left_;                          // left window border
  std::unique_ptr<TDataSkinBorder> right_;                         // right window border
  std::unique_ptr<TDataSkinBorder> top_;                           // top window border (caption)
  std::unique_ptr<TDataSkinBorder> bottom_;                        // bottom window border
  std::unique_ptr<TDataSkinTitle> title_;                          // caption text
  std::array<std::unique_ptr<TDataSkinObject>, kSkinPartCount> parts_;  // optional objects
  std::vector<std::unique_ptr<TDataSkinSysButton>> sysButtons_;    // caption and window-control buttons
};

}  // namespace bus
