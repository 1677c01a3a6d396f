// A skin archive the build drew and packed, read back through the skin data code: its members, its
// descriptor and the images it names, with the values the skin engine derives from them.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "core/BmpFile.h"
#include "core/StringList.h"
#include "skin/data/NineSlice.h"
#include "skin/data/QuickIni.h"
#include "skin/data/SkinReader.h"

namespace bus::test {

class BuiltSkin {
public:
  // Loads the archive of that name from the build's program directory; a failure to load or to find
  // the descriptor fails the running test (Loaded() then says false).
  explicit BuiltSkin(const std::string& archiveName);

  bool Loaded() const noexcept { return loaded_; }
  const TSkinReader& Reader() const noexcept { return reader_; }
  const TQuickIni& Ini() const noexcept { return ini_; }
  const TStringList& Sections() const noexcept { return sections_; }

  // The image a descriptor value names, decoded; fails the test when it is missing or invalid.
  BmpImage Image(const std::string& section, const std::string& key);
  // The member names Image() and Member() have looked at, lower case.
  const std::set<std::string>& Used() const noexcept { return used_; }
  // Decodes a member; fails the test when it is missing or invalid.
  BmpImage Member(const std::string& name);

  // An integer key, -12345 when absent.
  int Int(const std::string& section, const std::string& key) const { return ini_.ReadInteger(section, key, -12345); }
  // A colour of section Colours as 0xRRGGBB.
  std::uint32_t Colour(const std::string& key) const;

  // The frame widths as the form skinning derives them from the border images: FrameLeft, FrameTop
  // (caption included), FrameRight, FrameBottom.
  TSkinMargins FrameWidths();

  // Where the caption buttons of a window `windowWidth` wide lie (window coordinates), laid out by
  // their Align and Xcoord as the form skinning places them beside the window's edges.
  struct CaptionButton {
    std::string section;  // its section
    int action;           // Action
    int visibility;       // Visibility
    int frames;           // frame count (its frame key)
    TSkinRect rect;       // its place
  };
  std::vector<CaptionButton> CaptionButtons(int windowWidth);

private:
  TSkinReader reader_;           // the archive
  TQuickIni ini_;                // its descriptor
  TStringList sections_;         // the descriptor's sections
  std::set<std::string> used_;   // members looked at
  bool loaded_ = false;          // archive and descriptor read
};

// Whether a pixel has the colour the skin treats as transparent.
inline bool Keyed(const BmpImage& image, int x, int y) { return (image.Pixel(x, y) & 0xFFFFFF) == kSkinTransparent; }

}  // namespace bus::test
