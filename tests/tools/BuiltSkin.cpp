#include "tests/tools/BuiltSkin.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/TextUtil.h"
#include "skin/data/SkinDescriptorRules.h"
#include "tests/support/TestSupport.h"

namespace bus::test {

BuiltSkin::BuiltSkin(const std::string& archiveName) {
  TMemoryStream stored;
  stored.LoadFromFile(BinaryDir() / archiveName);
  if (!reader_.Load(stored)) {
    ADD_FAILURE() << archiveName << ": " << reader_.RejectReason();
    return;
  }
  TMemoryStream descriptor;
  std::string name;
  if (!reader_.ExtractByPart(".ini", descriptor, name)) {
    ADD_FAILURE() << archiveName << " has no descriptor";
    return;
  }
  ini_.LoadFromStream(descriptor);
  ini_.ReadSections(sections_);
  loaded_ = true;
}

BmpImage BuiltSkin::Member(const std::string& name) {
  TMemoryStream bytes;
  if (!reader_.ExtractByName(name, bytes)) {
    ADD_FAILURE() << "no member " << name;
    return {};
  }
  used_.insert(AsciiLower(name));
  try {
    return DecodeBmp({bytes.Memory(), std::size_t(bytes.Size())});
  } catch (const EInvalidGraphic& e) {
    ADD_FAILURE() << name << ": " << e.Message();
    return {};
  }
}

BmpImage BuiltSkin::Image(const std::string& section, const std::string& key) {
  const std::string member = SkinImageMemberName(ini_.ReadString(section, key, ""));
  if (member.empty()) {
    ADD_FAILURE() << section << " " << key << " names no image";
    return {};
  }
  return Member(member);
}

std::uint32_t BuiltSkin::Colour(const std::string& key) const {
  const std::uint32_t c = ParseSkinColour(ini_.ReadString("Colours", key, ""));
  return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

TSkinMargins BuiltSkin::FrameWidths() {
  const auto size = [&](const std::string& side, bool across) {
    const BmpImage image = Image("Personality", side);
    const int frames = ini_.ReadInteger("Personality", side + "Frame", 1);
    return frames > 0 ? (across ? image.height : image.width) / frames : 0;
  };
  return {size("Left", false), size("Top", true), size("Right", false), size("Bottom", true)};
}

std::vector<BuiltSkin::CaptionButton> BuiltSkin::CaptionButtons(int windowWidth) {
  std::vector<CaptionButton> buttons;
  for (const std::string& section : CaptionButtonSections(ini_, sections_)) {
    const BmpImage image = Image(section, "ButtonImage");
    const int frames = std::max(Int(section, "frame"), 1);
    const int w = image.width / frames, x = Int(section, "Xcoord"), y = Int(section, "Ycoord");
    const int align = Int(section, "Align");
    if (align != 0 && align != 1) ADD_FAILURE() << section << ": Align " << align << " is not beside an edge";
    const int left = align == 1 ? windowWidth - x : x;
    buttons.push_back({section, Int(section, "Action"), Int(section, "Visibility"), frames, {left, y, left + w, y + image.height}});
  }
  return buttons;
}

}  // namespace bus::test
